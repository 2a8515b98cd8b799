// SPDX-License-Identifier: GPL-3.0-or-later
#include "NextAlarm.h"

#include "AlarmRows.h"
#include "platform/LocaleTime.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"
#include "store/AlarmTable.h"

#include <cstdio>

namespace mainwin {

using scheduler::civil::minutesPerDay;

std::string durationText(std::int64_t minutes)
{
    const std::int64_t days = minutes / minutesPerDay;
    const std::int64_t hours = minutes % minutesPerDay / 60;
    const std::int64_t rest = minutes % 60;
    // Two parts at most, and none that says 0.
    std::string text;
    const auto part = [&text](std::int64_t count, const char* unit) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(count);
        text += unit;
    };
    if (days > 0) {
        part(days, " d");
        if (hours > 0)
            part(hours, " h");
    } else if (hours > 0) {
        part(hours, " h");
        if (rest > 0)
            part(rest, " min");
    } else {
        part(rest, " min");
    }
    return text;
}

std::string clockText(std::int64_t minute)
{
    const auto ofDay =
        static_cast<int>(minute - scheduler::civil::floorDiv(minute, minutesPerDay) * minutesPerDay);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", ofDay / 60, ofDay % 60);
    return text;
}

std::string nextAlarmText(const store::AlarmTable& table, std::int64_t now,
                          const platform::LocaleTime& locale)
{
    const auto ring = scheduler::nextRing(table, now);
    if (!ring)
        return "No alarm is due.";
    const std::int64_t day = scheduler::civil::floorDiv(ring->minute, minutesPerDay);
    const std::string& memo = table.AMemo[static_cast<std::size_t>(ring->index)];
    // Within a week the weekday says it; further ahead (a one-off, a long pause) the date does.
    const std::string when = ring->minute - now < 7 * minutesPerDay
                                 ? locale.abbreviatedDayName(scheduler::civil::weekdayDigit(day) - '0')
                                 : dayText(day, locale);
    return "Next: " + when + " " + clockText(ring->minute) + (memo.empty() ? "" : " - " + memo) + " (in " +
           durationText(ring->minute - now) + ")";
}

std::string pauseText(const store::AlarmTable& table, std::int64_t now, const platform::LocaleTime& locale)
{
    if (!table.pauseUntil || !scheduler::heldByPause(table, now))
        return {};
    return "paused until " + dayText(*table.pauseUntil, locale);
}

std::string trayTip(const store::AlarmTable& table, std::int64_t now, const platform::LocaleTime& locale)
{
    const std::string paused = pauseText(table, now, locale);
    return (paused.empty() ? "Wakery" : "Wakery - " + paused) + "\n" + nextAlarmText(table, now, locale);
}

} // namespace mainwin
