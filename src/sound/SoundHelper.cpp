// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundHelper.h"

#include "platform/HelperProcess.h"

#include <QCoreApplication>

#include <cmath>
#include <fcntl.h>

namespace soundhelper {
namespace {

namespace protocol = text::soundprotocol;

long long milliseconds(double seconds)
{
    return std::isfinite(seconds) && seconds > 0.0 ? std::llround(seconds * 1000.0) : 0;
}

} // namespace

SoundHelper::SoundHelper()
    : m_notifier(socketFd, QSocketNotifier::Read), m_player(std::make_unique<platform::QtSoundPlayer>())
{
    fcntl(socketFd, F_SETFD, FD_CLOEXEC);
    fcntl(socketFd, F_SETFL, fcntl(socketFd, F_GETFL) | O_NONBLOCK);
    connect(&m_notifier, &QSocketNotifier::activated, this, &SoundHelper::readCommands);
    connect(&m_outputs, &DefaultOutputWatch::changed, this, &SoundHelper::followDefaultOutput);
}

void SoundHelper::readCommands()
{
    bool ended = false;
    m_received += platform::readHelper(socketFd, ended);
    for (;;) {
        const auto parsed = protocol::parseCommand(m_received);
        if (parsed.status == protocol::Status::NeedMore)
            break;
        if (parsed.status == protocol::Status::Garbage) {
            m_received.clear();
            reply(protocol::failReply("the command could not be read"));
            break;
        }
        m_received.erase(0, parsed.used);
        reply(run(parsed.message));
        if (parsed.message.verb == protocol::Verb::Quit)
            ended = true;
    }
    if (ended) {
        m_notifier.setEnabled(false);
        QCoreApplication::quit();
    }
}

protocol::Reply SoundHelper::run(const protocol::Command& command)
{
    switch (command.verb) {
    case protocol::Verb::Play:
        m_playing = command;
        m_player->setFileAndPlay(command.file, platform::SoundLevel{command.volume, command.fadeInSeconds});
        break;
    case protocol::Verb::Seek:
        m_player->setPosition(static_cast<double>(command.milliseconds) / 1000.0);
        break;
    case protocol::Verb::Resume:
        m_player->play();
        break;
    case protocol::Verb::Stop:
        // A fresh player, ready for the next ring, rather than a stopped one holding the file.
        m_playing = protocol::command(protocol::Verb::Stop);
        m_player = std::make_unique<platform::QtSoundPlayer>();
        return {};
    case protocol::Verb::State:
    case protocol::Verb::Quit:
        break;
    }
    const std::string failure = m_player->failure();
    return failure.empty()
               ? protocol::okReply(milliseconds(m_player->position()), milliseconds(m_player->length()))
               : protocol::failReply(failure);
}

void SoundHelper::reply(const protocol::Reply& answer)
{
    // The program never leaves a reply unread for long; if it cannot take one, it has given up on this
    // helper.
    if (!platform::writeHelper(socketFd, protocol::encode(answer)))
        QCoreApplication::quit();
}

void SoundHelper::followDefaultOutput()
{
    // A player keeps the device it opened, even one that is gone. The file starts over on a new one: the
    // ring loops it anyway, and the fade begins again on a device the user may have just turned up.
    m_player = std::make_unique<platform::QtSoundPlayer>();
    if (m_playing.verb == protocol::Verb::Play)
        run(m_playing);
}

} // namespace soundhelper
