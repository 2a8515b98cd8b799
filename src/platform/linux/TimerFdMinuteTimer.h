// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimerFdCalls.h"
#include "platform/MinuteTimer.h"

#include <QObject>

#include <ctime>
#include <memory>

class QSocketNotifier;

namespace platform {

// The minute timer on a CLOCK_REALTIME timerfd armed at an absolute time: the kernel fires it at once
// when the machine resumes past that time, and cancels it (ECANCELED) when the clock is set, which runs
// `fired` at once too.
class TimerFdMinuteTimer : public QObject, public MinuteTimer
{
    Q_OBJECT
public:
    // nullptr when the kernel has no timerfd; the caller then keeps a timer of its own.
    static std::unique_ptr<TimerFdMinuteTimer> create(const TimerFdCalls& calls = {});
    ~TimerFdMinuteTimer() override;

    void armNextMinute() override;
    // Aims at an absolute CLOCK_REALTIME time.
    void armAt(const timespec& when);
    int fd() const { return m_fd; }

private:
    TimerFdMinuteTimer(int fd, const TimerFdCalls& calls);
    void readable();

    int m_fd;
    TimerFdCalls m_calls;
    QSocketNotifier* m_notifier;
};

} // namespace platform
