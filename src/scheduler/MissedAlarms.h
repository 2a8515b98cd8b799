// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/AlarmTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class LocaleTime;
}

namespace scheduler {

// An occurrence that came due while the program could not ring it (the machine slept, the clock was set
// forward) and is too late to ring now.
struct MissedAlarm
{
    std::int16_t index = 0;
    std::int64_t minute = 0; // local minutes since 1970-01-01 00:00, the offsets included
    std::string memo;
    bool snoozed = false; // a snoozed ring, not the alarm's own time
};

// A gap longer than this is not listed in full: a machine left asleep for a month gets the last week.
constexpr std::int64_t missedLookBackMinutes = 7 * 24 * 60;

// The occurrences of the table's alarms from..to (local minutes, both included; at most the last
// missedLookBackMinutes of it), in time order, alarms due in the same minute by index.
std::vector<MissedAlarm> missedAlarms(const store::AlarmTable& table, std::int64_t from, std::int64_t to);

// The notice's text: a line saying what happened, then one line per occurrence with the day it was due,
// its time and its memo ("Mon 2026-12-07  7:00:00 AM  Dentist").
std::string missedNoticeText(const std::vector<MissedAlarm>& missed, const platform::LocaleTime& locale);

// Where the check sends what it finds missed; one call per gap, never with an empty list.
class MissedAlarmNotice
{
public:
    virtual ~MissedAlarmNotice() = default;
    virtual void showMissed(const std::vector<MissedAlarm>& missed) = 0;
};

} // namespace scheduler
