// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <string>

namespace platform {

// Players from the wakery_sound module, loaded on the first create(). Without the module every player can
// play nothing and says why, so that a ringing alarm beeps instead.
class QtSoundPlayerFactory : public SoundPlayerFactory
{
public:
    explicit QtSoundPlayerFactory(std::string modulePath) : m_modulePath(std::move(modulePath)) {}
    std::unique_ptr<SoundPlayer> create() override;
    void beep() override;

private:
    std::string m_modulePath;
    using CreatePlayer = SoundPlayer* (*)();
    CreatePlayer m_create = nullptr;
    bool m_tried = false;
    std::string m_loadError;
};

} // namespace platform
