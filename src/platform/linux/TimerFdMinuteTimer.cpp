// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimerFdMinuteTimer.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>

namespace platform {

std::unique_ptr<TimerFdMinuteTimer> TimerFdMinuteTimer::create(const TimerFdCalls& calls)
{
    const int fd = calls.create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<TimerFdMinuteTimer>(new TimerFdMinuteTimer(fd, calls));
}

TimerFdMinuteTimer::TimerFdMinuteTimer(int fd, const TimerFdCalls& calls)
    : m_fd(fd), m_calls(calls), m_notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &TimerFdMinuteTimer::readable);
}

TimerFdMinuteTimer::~TimerFdMinuteTimer()
{
    delete m_notifier;
    ::close(m_fd);
}

void TimerFdMinuteTimer::armNextMinute()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // Local minutes start with the UTC ones in every time zone in use today.
    armAt({(now.tv_sec / 60 + 1) * 60, 0});
}

void TimerFdMinuteTimer::armAt(const timespec& when)
{
    itimerspec spec{};
    spec.it_value = when;
    m_calls.settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr);
}

void TimerFdMinuteTimer::readable()
{
    std::uint64_t expirations = 0;
    if (m_calls.read(m_fd, &expirations, sizeof expirations) < 0 && errno != ECANCELED)
        return; // EAGAIN: nothing is due after all
    // Expired, or cancelled because the clock was set: either way the check runs now and aims afresh.
    // Until then the timer stays silent, so a cancelled one does not wake the program over and over.
    itimerspec off{};
    m_calls.settime(m_fd, 0, &off, nullptr);
    if (fired)
        fired();
}

} // namespace platform
