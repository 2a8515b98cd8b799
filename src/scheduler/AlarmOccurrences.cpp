// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmOccurrences.h"

#include "CivilMinute.h"

#include <algorithm>

namespace scheduler {

int usableCount(const store::AlarmTable& table)
{
    const std::size_t shortest =
        std::min({table.AType.size(), table.AMemo.size(), table.ATime.size(), table.AState.size(),
                  table.ASnoozeH.size(), table.ASnoozeM.size(), table.AClock.size()});
    if (table.ACount <= 0 || shortest == 0)
        return 0;
    return std::min(int{table.ACount}, static_cast<int>(shortest) - 1);
}

void forEachOccurrence(const store::AlarmTable& table, std::int64_t from, std::int64_t to,
                       const std::function<void(std::int16_t index, std::int64_t minute)>& visit)
{
    const int count = usableCount(table);
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const store::AlarmClockTime& clock = table.AClock[at];
        if (table.AState[at] != 1 || !clock.valid)
            continue;
        const std::int64_t minuteOfDay0 =
            clock.hour * 60 + clock.minute + std::int64_t{table.ASnoozeH[at]} * 60 + table.ASnoozeM[at];
        // The weekday is that of the day the alarm's own time falls on, before the offsets move it.
        for (std::int64_t day = civil::ceilDiv(from - minuteOfDay0, civil::minutesPerDay);; ++day) {
            const std::int64_t due = day * civil::minutesPerDay + minuteOfDay0;
            if (due > to)
                break;
            if (table.AType[at].find(civil::weekdayDigit(day)) != std::string::npos)
                visit(static_cast<std::int16_t>(i), due);
        }
    }
}

std::optional<std::int64_t> nextDueMinute(const store::AlarmTable& table, std::int64_t after)
{
    std::optional<std::int64_t> first;
    // Every weekday comes round within a week, so a week and a day hold the next ring of any alarm.
    forEachOccurrence(table, after + 1, after + 8 * civil::minutesPerDay,
                      [&first](std::int16_t, std::int64_t due) {
                          if (!first || due < *first)
                              first = due;
                      });
    return first;
}

} // namespace scheduler
