// SPDX-License-Identifier: GPL-3.0-or-later
#include "MissedAlarms.h"

#include "AlarmOccurrences.h"
#include "CivilMinute.h"
#include "platform/LocaleTime.h"

#include <algorithm>
#include <cstdio>

namespace scheduler {

std::vector<MissedAlarm> missedAlarms(const store::AlarmTable& table, std::int64_t from, std::int64_t to)
{
    std::vector<MissedAlarm> missed;
    forEachOccurrence(table, std::max(from, to - missedLookBackMinutes + 1), to,
                      [&](std::int16_t index, std::int64_t minute) {
                          const auto at = static_cast<std::size_t>(index);
                          const bool snoozed = table.ASnoozeH[at] != 0 || table.ASnoozeM[at] != 0;
                          missed.push_back({index, minute, table.AMemo[at], snoozed});
                      });
    std::stable_sort(missed.begin(), missed.end(),
                     [](const MissedAlarm& a, const MissedAlarm& b) { return a.minute < b.minute; });
    return missed;
}

std::string missedNoticeText(const std::vector<MissedAlarm>& missed, const platform::LocaleTime& locale)
{
    std::string text = missed.size() == 1
                           ? "This alarm was due while the computer slept or its clock was set:"
                           : "These alarms were due while the computer slept or its clock was set:";
    for (const MissedAlarm& alarm : missed) {
        const platform::LocalDateTime due = civil::fromLocalMinute(alarm.minute);
        const int weekday = civil::weekdayDigit(civil::floorDiv(alarm.minute, civil::minutesPerDay)) - '0';
        char date[32];
        std::snprintf(date, sizeof date, " %04d-%02d-%02d  ", due.year, due.month, due.day);
        // Appended piece by piece: GCC 12 at -O3 takes "\n" + string for an overlapping copy (-Wrestrict).
        text.append("\n").append(locale.abbreviatedDayName(weekday)).append(date);
        text.append(locale.longTimeText({due.hour, due.minute, 0})).append("  ").append(alarm.memo);
        if (alarm.snoozed)
            text += " (snoozed)";
    }
    return text;
}

} // namespace scheduler
