#pragma once

#include "platform/SoundPlayer.h"

#include <string>

namespace platform {

// Players from the wakery_sound module beside the program, loaded on the first create(). Without the
// module every player can play nothing and says why, so that a ringing alarm beeps instead.
class QtSoundPlayerFactory : public SoundPlayerFactory
{
public:
    std::unique_ptr<SoundPlayer> create() override;
    void beep() override;

private:
    using CreatePlayer = SoundPlayer* (*)();
    CreatePlayer m_create = nullptr;
    bool m_tried = false;
    std::string m_loadError;
};

} // namespace platform
