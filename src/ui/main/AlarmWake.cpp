// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmWake.h"

#include "CheckTimer.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"

AlarmWake::AlarmWake(CheckTimer& timer, const store::AlarmTable& table, const platform::Clock& clock,
                     platform::WakeTimer& wake, QObject* parent)
    : QObject(parent), m_table(table), m_clock(clock), m_wake(wake), m_status(wake.status())
{
    // Connected after the main window's own check, so the table it reads is the one just loaded.
    connect(&timer, &CheckTimer::timeout, this, &AlarmWake::update);
}

void AlarmWake::update()
{
    const auto next = scheduler::nextDueMinute(m_table, scheduler::civil::localMinute(m_clock.now()));
    m_wake.wakeAt(next ? std::optional(scheduler::civil::fromLocalMinute(*next)) : std::nullopt);
    if (m_wake.status() == m_status)
        return;
    m_status = m_wake.status();
    emit statusChanged(m_status);
}
