// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmWakeTimer.h"

#include <cerrno>
#include <cstring>

namespace platform {

AlarmWakeTimer::AlarmWakeTimer(const TimerFdCalls& calls)
    : m_calls(calls), m_fd(calls.create(CLOCK_REALTIME_ALARM, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd >= 0)
        return;
    const int error = errno;
    m_refusal = error == EPERM ? "the system lets only a program holding CAP_WAKE_ALARM set wake-up timers"
                               : std::string("no wake-up timer: ") + std::strerror(error);
}

AlarmWakeTimer::~AlarmWakeTimer()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void AlarmWakeTimer::wakeAt(const std::optional<LocalDateTime>& when)
{
    if (m_fd < 0)
        return;
    time_t at = 0;
    if (when) {
        tm local{};
        local.tm_year = when->year - 1900;
        local.tm_mon = when->month - 1;
        local.tm_mday = when->day;
        local.tm_hour = when->hour;
        local.tm_min = when->minute;
        local.tm_isdst = -1; // whatever daylight-saving time says for that day
        at = mktime(&local);
        if (at == -1)
            at = 0;
    }
    // Checks run every minute; the timer is set only when its time changes.
    if (at == m_armedAt)
        return;
    itimerspec spec{};
    spec.it_value.tv_sec = at;
    if (m_calls.settime(m_fd, TFD_TIMER_ABSTIME, &spec, nullptr) == 0)
        m_armedAt = at;
}

} // namespace platform
