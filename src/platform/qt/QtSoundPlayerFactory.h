#pragma once

#include "platform/SoundPlayer.h"

namespace platform {

// Players from the wakery_sound module beside the program, loaded on the first create(). Without the
// module every player is silent: an alarm still rings on screen, as with a file that cannot be played.
class QtSoundPlayerFactory : public SoundPlayerFactory
{
public:
    std::unique_ptr<SoundPlayer> create() override;

private:
    using CreatePlayer = SoundPlayer* (*)();
    CreatePlayer m_create = nullptr;
    bool m_tried = false;
};

} // namespace platform
