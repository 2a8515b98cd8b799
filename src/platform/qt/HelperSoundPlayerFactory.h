// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <QTimer>

#include <chrono>
#include <iosfwd>
#include <memory>
#include <string>

namespace platform {

class SoundHelperConnection;

// Players whose media back end runs in the sound helper program, so that this process never loads it.
// Each player has a helper of its own; a helper that is lost is started again once for that player, and
// after a second loss the player can play nothing and says why, so that a ringing alarm beeps. One line
// goes to log for the restart.
//
// prepare() starts a helper ahead, which a player then takes; an idle helper ends on its own
// `spareBeforeRing` after the last prepare(), or `spareAfterRing` after a player was closed: a helper
// weighs more than the whole idle program, and a ring that comes without a prepare() only waits for one
// to start.
class HelperSoundPlayerFactory : public SoundPlayerFactory
{
public:
    static constexpr std::chrono::seconds spareBeforeRing{150};
    static constexpr std::chrono::seconds spareAfterRing{10};

    HelperSoundPlayerFactory(std::string helperProgram, std::ostream& log);
    ~HelperSoundPlayerFactory() override;
    void prepare() override;
    std::unique_ptr<SoundPlayer> create() override;
    void beep() override;

    // For the players: a new helper, and one handed back idle by a player that closed.
    std::unique_ptr<SoundHelperConnection> connect();
    void keepSpare(std::unique_ptr<SoundHelperConnection> helper);
    std::ostream& log() { return m_log; }

private:
    void keepSpareFor(std::chrono::seconds time);

    std::string m_program;
    std::ostream& m_log;
    std::unique_ptr<SoundHelperConnection> m_spare;
    QTimer m_spareEnd;
};

} // namespace platform
