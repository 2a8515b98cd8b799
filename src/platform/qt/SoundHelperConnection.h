// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HelperProcess.h"
#include "text/SoundProtocol.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>
#include <memory>
#include <string>

class QSocketNotifier;

namespace platform {

// One running sound helper and the socket to it. Nothing here waits: replies are read as they arrive,
// and a helper that ended, answers with anything but one reply line per command, or leaves a command
// unanswered for a second is lost for good: it is killed, and lostReason() says why.
class SoundHelperConnection : public QObject
{
    Q_OBJECT
public:
    explicit SoundHelperConnection(const std::string& program);
    ~SoundHelperConnection() override;

    void send(const text::soundprotocol::Command& command);
    std::size_t unanswered() const { return m_sentAt.size(); }
    bool lost() const { return !m_lostReason.empty(); }
    const std::string& lostReason() const { return m_lostReason; }

signals:
    void replied(const text::soundprotocol::Reply& reply);
    // Emitted once, later than the call that found it, so that no caller is destroyed under itself.
    void lostContact();

private:
    void readReplies();
    void checkAnswered();
    void lose(const std::string& reason);

    HelperProcess m_process;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::string m_received;
    std::deque<std::chrono::steady_clock::time_point> m_sentAt;
    QTimer m_answerCheck;
    std::string m_lostReason;
};

} // namespace platform
