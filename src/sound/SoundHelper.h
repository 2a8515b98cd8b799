// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DefaultOutputWatch.h"
#include "platform/qt/QtSoundPlayer.h"
#include "text/SoundProtocol.h"

#include <QObject>
#include <QSocketNotifier>

#include <memory>
#include <string>

namespace soundhelper {

// Serves the program's commands on the socket, one reply each, with one player. The player is made at
// start, so that the back end is loaded and the sound server connected before the ring asks for a sound.
// The helper ends when the program says quit or closes its end; a command it cannot read is answered
// with a failure and dropped with whatever arrived with it.
class SoundHelper : public QObject
{
    Q_OBJECT
public:
    static constexpr int socketFd = 3;
    SoundHelper();

private:
    void readCommands();
    text::soundprotocol::Reply run(const text::soundprotocol::Command& command);
    void reply(const text::soundprotocol::Reply& answer);
    void followDefaultOutput();

    QSocketNotifier m_notifier;
    std::string m_received;
    std::unique_ptr<platform::QtSoundPlayer> m_player;
    text::soundprotocol::Command m_playing = text::soundprotocol::command(text::soundprotocol::Verb::Stop);
    DefaultOutputWatch m_outputs;
};

} // namespace soundhelper
