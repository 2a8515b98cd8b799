// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundHelperConnection.h"

#include <QSocketNotifier>

namespace platform {
namespace {

namespace protocol = text::soundprotocol;

constexpr std::chrono::milliseconds answerLimit{1000};

// A helper that was let go is reaped once it has ended, and killed if it has not within two seconds.
void reapSoon()
{
    for (const int ms : {100, 1000, 2100, 2500})
        QTimer::singleShot(ms, [] { reapHelpers(); });
}

} // namespace

SoundHelperConnection::SoundHelperConnection(const std::string& program) : m_process(startHelper(program))
{
    m_answerCheck.setInterval(100);
    connect(&m_answerCheck, &QTimer::timeout, this, &SoundHelperConnection::checkAnswered);
    if (m_process.pid < 0) {
        lose("it did not start: " + m_process.error);
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_process.fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SoundHelperConnection::readReplies);
}

SoundHelperConnection::~SoundHelperConnection()
{
    m_notifier.reset();
    // A helper that answers ends by itself when it reads the end of its socket; one that does not is killed.
    const bool healthy = !lost() && unanswered() == 0;
    if (healthy)
        writeHelper(m_process.fd, protocol::encode(protocol::command(protocol::Verb::Quit)));
    endHelper(m_process, healthy);
    reapSoon();
}

void SoundHelperConnection::send(const protocol::Command& command)
{
    if (lost())
        return;
    if (!writeHelper(m_process.fd, protocol::encode(command))) {
        lose("it does not read its commands");
        return;
    }
    m_sentAt.push_back(std::chrono::steady_clock::now());
    m_answerCheck.start();
}

void SoundHelperConnection::readReplies()
{
    bool ended = false;
    m_received += readHelper(m_process.fd, ended);
    for (;;) {
        const auto parsed = protocol::parseReply(m_received);
        if (parsed.status == protocol::Status::NeedMore)
            break;
        if (parsed.status == protocol::Status::Garbage || m_sentAt.empty()) {
            lose("it answered what was not asked");
            return;
        }
        m_received.erase(0, parsed.used);
        m_sentAt.pop_front();
        if (m_sentAt.empty())
            m_answerCheck.stop();
        emit replied(parsed.message);
        if (lost())
            return;
    }
    if (ended)
        lose("it ended");
}

void SoundHelperConnection::checkAnswered()
{
    if (!m_sentAt.empty() && std::chrono::steady_clock::now() - m_sentAt.front() > answerLimit)
        lose("it did not answer within a second");
}

void SoundHelperConnection::lose(const std::string& reason)
{
    if (lost())
        return;
    m_lostReason = reason;
    m_notifier.reset();
    m_answerCheck.stop();
    m_sentAt.clear();
    endHelper(m_process, false);
    reapSoon();
    QMetaObject::invokeMethod(this, &SoundHelperConnection::lostContact, Qt::QueuedConnection);
}

} // namespace platform
