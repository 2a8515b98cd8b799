// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class CheckTimer;

namespace platform {
class Clock;
class WakeTimer;
} // namespace platform

namespace store {
struct AlarmTable;
}

// Keeps the wake timer on the next ring of any switched-on alarm, snoozed rings included. Every load,
// snooze, On/Off and edit runs the check, so following the check keeps the timer current.
class AlarmWake : public QObject
{
    Q_OBJECT
public:
    AlarmWake(CheckTimer& timer, const store::AlarmTable& table, const platform::Clock& clock,
              platform::WakeTimer& wake, QObject* parent = nullptr);
    void update();

private:
    const store::AlarmTable& m_table;
    const platform::Clock& m_clock;
    platform::WakeTimer& m_wake;
};
