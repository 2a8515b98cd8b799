// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/MinuteTimer.h"

#include <QTimer>

namespace platform {

// The minute timer where the system offers nothing better: a Qt timer counting the milliseconds to the
// next minute start as the clock reads them when armed. It runs late after a sleep and does not notice
// a clock that was set; the resume signal and the next arming put it right.
class QtMinuteTimer : public MinuteTimer
{
public:
    explicit QtMinuteTimer(const Clock& clock);
    void armNextMinute() override;
    int remainingTime() const { return m_timer.remainingTime(); }

private:
    const Clock& m_clock;
    QTimer m_timer;
};

} // namespace platform
