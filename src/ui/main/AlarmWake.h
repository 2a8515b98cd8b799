// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WakeTimer.h"

#include <QObject>

class CheckTimer;

namespace platform {
class Clock;
}

namespace store {
struct AlarmTable;
}

// Keeps the wake timer on the next ring of any switched-on alarm, snoozed rings included. Every load,
// snooze, On/Off and edit runs the check, so following the check keeps the timer current. Whether the
// machine can be woken may only be known once the timer was first set.
class AlarmWake : public QObject
{
    Q_OBJECT
public:
    AlarmWake(CheckTimer& timer, const store::AlarmTable& table, const platform::Clock& clock,
              platform::WakeTimer& wake, QObject* parent = nullptr);
    void update();

signals:
    void statusChanged(const platform::WakeStatus& status);

private:
    const store::AlarmTable& m_table;
    const platform::Clock& m_clock;
    platform::WakeTimer& m_wake;
    platform::WakeStatus m_status;
};
