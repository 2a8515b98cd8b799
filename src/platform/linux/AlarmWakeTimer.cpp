// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmWakeTimer.h"

#include "WakeSeconds.h"

#include <cerrno>
#include <cstring>

namespace platform {

AlarmWakeTimer::AlarmWakeTimer(const TimerFdCalls& calls)
    : m_calls(calls), m_fd(calls.create(CLOCK_REALTIME_ALARM, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd >= 0)
        return;
    m_error = errno;
    m_refusal = m_error == EPERM ? "the system lets only a program holding CAP_WAKE_ALARM set wake-up timers"
                                 : std::string("no wake-up timer: ") + std::strerror(m_error);
}

AlarmWakeTimer::~AlarmWakeTimer()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

WakeStatus AlarmWakeTimer::status() const
{
    return m_fd >= 0 ? WakeStatus{.ability = WakeStatus::Ability::Wakes, .reason = {}}
                     : WakeStatus{.ability = WakeStatus::Ability::Refused, .reason = m_refusal};
}

void AlarmWakeTimer::wakeAt(const std::optional<LocalDateTime>& when)
{
    if (m_fd < 0)
        return;
    const time_t at = wakeSeconds(when);
    // Checks run every minute; the timer is set only when its time changes.
    if (at == m_armedAt)
        return;
    itimerspec spec{};
    spec.it_value.tv_sec = at;
    if (m_calls.settime(m_fd, TFD_TIMER_ABSTIME, &spec, nullptr) == 0)
        m_armedAt = at;
}

} // namespace platform
