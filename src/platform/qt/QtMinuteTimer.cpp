// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMinuteTimer.h"

namespace platform {

QtMinuteTimer::QtMinuteTimer(const Clock& clock) : m_clock(clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (fired)
            fired();
    });
}

void QtMinuteTimer::armNextMinute()
{
    const LocalDateTime now = m_clock.now();
    m_timer.start(60'000 - (now.second * 1000 + now.millisecond) % 60'000);
}

} // namespace platform
