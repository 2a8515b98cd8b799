// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimerFdCalls.h"
#include "platform/WakeTimer.h"

#include <cerrno>
#include <ctime>
#include <string>

namespace platform {

// The wake timer on a CLOCK_REALTIME_ALARM timerfd, which wakes a suspended machine. The kernel lets only
// a holder of CAP_WAKE_ALARM create one; anyone else is refused at start, and the program asks the wake
// helper instead or does without. Its expiry is never read: the minute timer and the resume signal run the
// check after a wake.
class AlarmWakeTimer : public WakeTimer
{
public:
    explicit AlarmWakeTimer(const TimerFdCalls& calls = {});
    ~AlarmWakeTimer() override;
    AlarmWakeTimer(const AlarmWakeTimer&) = delete;
    AlarmWakeTimer& operator=(const AlarmWakeTimer&) = delete;

    bool allowed() const { return m_fd >= 0; }
    // Refused for want of the permission, which the wake helper may hold, rather than for want of a clock
    // that can wake the machine.
    bool refusedPermission() const { return m_error == EPERM; }
    int fd() const { return m_fd; }
    void wakeAt(const std::optional<LocalDateTime>& when) override;
    WakeStatus status() const override;

private:
    TimerFdCalls m_calls;
    int m_fd;
    time_t m_armedAt = 0; // 0: not armed
    int m_error = 0;
    std::string m_refusal;
};

} // namespace platform
