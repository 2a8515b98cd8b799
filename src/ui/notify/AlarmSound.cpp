// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmSound.h"

#include "AlarmOwner.h"
#include "platform/Files.h"
#include "text/TimeText.h"

#include <ostream>

namespace notify {
namespace {

// 25 ticks of the window's 40 ms timer.
constexpr int ticksPerBeep = 25;
// Five seconds: a device that comes back is heard soon, and a helper that cannot play is not pestered.
constexpr int ticksPerDeviceTry = 125;

} // namespace

std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files)
{
    if (owner.AlarmSoundPresent(index))
        return owner.GetASound(index);
    return files.defaultSound();
}

bool soundRestartDue(double position, double length)
{
    using text::timetext::roundHalfEven;
    return roundHalfEven(position) == roundHalfEven(length);
}

RingingSound::RingingSound(platform::SoundPlayerFactory& sounds, std::ostream& log)
    : m_sounds(sounds), m_log(log)
{
}

RingingSound::~RingingSound() = default;

void RingingSound::start(const std::string& file, const std::string& defaultFile,
                         const platform::SoundLevel& level)
{
    m_level = level;
    m_defaultFile = defaultFile;
    m_file = file;
    m_player = m_sounds.create();
    if (!m_player) {
        giveUp("no sound player", true);
        return;
    }
    // A player that can play nothing (no sound helper, no output device) says so before any file.
    const std::string useless = m_player->failure();
    if (!useless.empty()) {
        giveUp(useless, true);
        return;
    }
    play(file);
}

void RingingSound::play(const std::string& file)
{
    m_file = file;
    m_player->setFileAndPlay(file, m_level);
}

void RingingSound::restart()
{
    // No player once it beeps.
    if (m_player)
        m_player->setFileAndPlay(m_file, m_level);
}

void RingingSound::tick()
{
    if (m_beeping) {
        if (++m_ticksSinceBeep >= ticksPerBeep) {
            m_ticksSinceBeep = 0;
            m_sounds.beep();
        }
        if (m_awaitingDevice)
            tryDeviceAgain();
        return;
    }
    if (!m_player)
        return;
    const std::string failure = m_player->failure();
    if (!failure.empty()) {
        giveUp(failure, false);
        return;
    }
    if (soundRestartDue(m_player->position(), m_player->length())) {
        m_player->setPosition(0.0);
        m_player->play();
    }
}

void RingingSound::tryDeviceAgain()
{
    if (!m_player) {
        if (++m_ticksSinceTry < ticksPerDeviceTry)
            return;
        m_ticksSinceTry = 0;
        m_player = m_sounds.create();
        if (m_player && m_player->failure().empty())
            m_player->setFileAndPlay(m_file, m_level);
        else
            m_player.reset();
        return;
    }
    if (!m_player->failure().empty()) {
        m_player.reset();
    } else if (m_player->length() > 0.0) { // known once the file plays
        m_log << "wakery: a sound output is back; playing \"" << m_file << "\" again" << std::endl;
        m_beeping = m_awaitingDevice = false;
    }
}

void RingingSound::giveUp(const std::string& reason, bool playerUseless)
{
    m_awaitingDevice = reason == platform::noOutputDevice;
    const bool toDefault = !playerUseless && !m_awaitingDevice && m_file != m_defaultFile;
    m_log << "wakery: cannot play \"" << m_file << "\": " << reason
          << (toDefault ? "; playing default.wav instead" : "; beeping instead") << std::endl;
    if (toDefault) {
        play(m_defaultFile);
        return;
    }
    m_beeping = true;
    m_ticksSinceBeep = m_ticksSinceTry = 0;
    m_player.reset();
    m_sounds.beep();
}

} // namespace notify
