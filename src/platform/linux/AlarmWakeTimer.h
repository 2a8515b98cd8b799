// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimerFdCalls.h"
#include "platform/WakeTimer.h"

#include <ctime>
#include <string>

namespace platform {

// The wake timer on a CLOCK_REALTIME_ALARM timerfd, which wakes a suspended machine. The kernel lets only
// a holder of CAP_WAKE_ALARM create one; anyone else is refused at start and the program does without,
// quietly. Its expiry is never read: the minute timer and the resume signal run the check after a wake.
class AlarmWakeTimer : public WakeTimer
{
public:
    explicit AlarmWakeTimer(const TimerFdCalls& calls = {});
    ~AlarmWakeTimer() override;
    AlarmWakeTimer(const AlarmWakeTimer&) = delete;
    AlarmWakeTimer& operator=(const AlarmWakeTimer&) = delete;

    bool allowed() const { return m_fd >= 0; }
    // Why the machine cannot be woken, for the user; empty when it can.
    const std::string& refusal() const { return m_refusal; }
    int fd() const { return m_fd; }
    void wakeAt(const std::optional<LocalDateTime>& when) override;

private:
    TimerFdCalls m_calls;
    int m_fd;
    time_t m_armedAt = 0; // 0: not armed
    std::string m_refusal;
};

} // namespace platform
