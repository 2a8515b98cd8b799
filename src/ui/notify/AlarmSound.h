// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/SoundPlayer.h"

namespace platform {
class Files;
} // namespace platform

namespace notify {

class AlarmOwner;

// The file a ringing alarm asks for: its own sound, else default.wav (beside the program, or installed).
std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files);

// The loop of the ringing sound: true when position and length, each rounded to a whole second with
// halves going to the even neighbour, are equal, and the sound is to start over.
bool soundRestartDue(double position, double length);

// The sound of one ringing window, from its first start until it closes. An alarm is never silent: when
// the player gives up on the alarm's own file, default.wav plays; when it gives up on that too, or can
// play nothing at all, the platform beeps about once a second. Each step down writes one line to log,
// naming the file and the player's reason. With no sound output at all the file is kept: a fresh player
// tries it every few seconds, quietly, and once one plays it the beeps end. Restarts play what was settled
// on, whatever happens to the alarm in the table meanwhile.
class RingingSound
{
public:
    RingingSound(platform::SoundPlayerFactory& sounds, std::ostream& log);
    ~RingingSound();
    RingingSound(const RingingSound&) = delete;
    RingingSound& operator=(const RingingSound&) = delete;

    void start(const std::string& file, const std::string& defaultFile,
               const platform::SoundLevel& level = {});
    // From the beginning, as on every activation of the window.
    void restart();
    // The window's 40 ms tick.
    void tick();

private:
    void play(const std::string& file);
    void giveUp(const std::string& reason, bool playerUseless);
    void tryDeviceAgain();

    platform::SoundPlayerFactory& m_sounds;
    std::ostream& m_log;
    std::unique_ptr<platform::SoundPlayer> m_player;
    std::string m_file;
    std::string m_defaultFile;
    platform::SoundLevel m_level;
    bool m_beeping = false;
    bool m_awaitingDevice = false;
    int m_ticksSinceBeep = 0;
    int m_ticksSinceTry = 0;
};

} // namespace notify
