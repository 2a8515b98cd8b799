// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WakeTimer.h"

#include <sys/types.h>

#include <ctime>
#include <string>

namespace platform {

// The wake timer kept by the wake helper (wakery-wake) for a program the system refuses a timer of its own:
// the helper is the one process that holds CAP_WAKE_ALARM, asked over a socket pair. It is started by the
// first time to wake at, so nobody with every alarm off runs it. At its first failure (missing, not
// executable, without its capability, ended, silent) it is given up for good: the program goes on without
// waking, the status says why, and standard error has one line.
class HelperWakeTimer : public WakeTimer
{
public:
    explicit HelperWakeTimer(std::string helperPath);
    ~HelperWakeTimer() override;
    HelperWakeTimer(const HelperWakeTimer&) = delete;
    HelperWakeTimer& operator=(const HelperWakeTimer&) = delete;

    void wakeAt(const std::optional<LocalDateTime>& when) override;
    WakeStatus status() const override { return m_status; }

private:
    bool start();
    // One command out and its reply in; false, with the helper given up, unless the reply is "ok".
    bool ask(const std::string& command);
    // The reply line; empty when the helper ended, or was silent too long (`silent`).
    std::string readReply(bool& silent);
    void giveUp(const std::string& reason);
    // How the helper ended, once it has.
    std::string stop(bool kill);

    std::string m_path;
    pid_t m_pid = -1;
    int m_socket = -1;
    time_t m_armedAt = 0; // 0: not armed
    WakeStatus m_status;
};

} // namespace platform
