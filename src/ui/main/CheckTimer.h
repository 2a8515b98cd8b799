// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace platform {
class Clock;
class MinuteTimer;
} // namespace platform

// The main window's Timer1. An alarm is due by the minute, so the check runs when its answer can change
// rather than 25 times a second: at the start of every minute by the wall clock (a minute timer armed
// afresh after each run) and whenever the program says something changed (runNow: a reload of Data.ini,
// a resume from sleep).
class CheckTimer : public QObject
{
    Q_OBJECT
public:
    explicit CheckTimer(const platform::Clock& clock, QObject* parent = nullptr);
    ~CheckTimer() override;

    // Replaces the Qt timer, which runs late after a sleep, with one that follows the wall clock.
    void setMinuteTimer(std::unique_ptr<platform::MinuteTimer> timer);
    platform::MinuteTimer& minuteTimer() { return *m_minute; }

    // Enabled: runs the check at once, then at the start of every minute.
    void start();
    bool isActive() const { return m_active; }
    // Something the check reads changed: run it now (nothing while not enabled).
    void runNow();

signals:
    void timeout();

private:
    std::unique_ptr<platform::MinuteTimer> m_minute;
    bool m_active = false;
    bool m_running = false;
    bool m_runAgain = false;
};
