// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmOccurrences.h"

#include "CivilMinute.h"

#include <algorithm>
#include <limits>

namespace scheduler {
namespace {

// Minutes from the start of the alarm's own day to its ring: its time and its snooze offsets, which may
// carry it past midnight.
std::int64_t ringOffset(const store::AlarmTable& table, std::size_t at)
{
    const store::AlarmClockTime& clock = table.AClock[at];
    return clock.hour * 60 + clock.minute + std::int64_t{table.ASnoozeH[at]} * 60 + table.ASnoozeM[at];
}

std::int64_t pauseEnd(const store::AlarmTable& table)
{
    return table.pauseUntil ? *table.pauseUntil * civil::minutesPerDay
                            : std::numeric_limits<std::int64_t>::min();
}

} // namespace

int usableCount(const store::AlarmTable& table)
{
    const std::size_t shortest =
        std::min({table.AType.size(), table.AMemo.size(), table.ATime.size(), table.AState.size(),
                  table.ASnoozeH.size(), table.ASnoozeM.size(), table.AClock.size(), table.APlan.size()});
    if (table.ACount <= 0 || shortest == 0)
        return 0;
    return std::min(int{table.ACount}, static_cast<int>(shortest) - 1);
}

bool heldByPause(const store::AlarmTable& table, std::int64_t minute)
{
    return minute < pauseEnd(table);
}

void forEachOccurrence(const store::AlarmTable& table, std::int64_t from, std::int64_t to,
                       const std::function<void(std::int16_t index, std::int64_t minute)>& visit)
{
    from = std::max(from, pauseEnd(table));
    const int count = usableCount(table);
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (table.AState[at] != 1 || !table.AClock[at].valid)
            continue;
        const store::AlarmPlan& plan = table.APlan[at];
        const std::int64_t offset = ringOffset(table, at);
        const auto ringsOn = [&](std::int64_t day) {
            return (plan.date ? day == *plan.date
                              : table.AType[at].find(civil::weekdayDigit(day)) != std::string::npos) &&
                   plan.skip != day;
        };
        // The weekday is that of the day the alarm's own time falls on, before the offsets move it.
        const std::int64_t first =
            plan.date ? *plan.date : civil::ceilDiv(from - offset, civil::minutesPerDay);
        for (std::int64_t day = first;; ++day) {
            const std::int64_t due = day * civil::minutesPerDay + offset;
            if (due > to)
                break;
            if (due >= from && ringsOn(day))
                visit(static_cast<std::int16_t>(i), due);
            if (plan.date)
                break;
        }
    }
}

std::optional<Ring> nextRing(const store::AlarmTable& table, std::int64_t after)
{
    std::optional<Ring> first;
    const auto earliest = [&first](std::int16_t index, std::int64_t due) {
        if (!first || due < first->minute)
            first = Ring{index, due};
    };
    // Every weekday comes round within a week, so a week and a day hold the next ring of a weekly alarm;
    // a one-off may lie further ahead, and is looked for on its date alone.
    const std::int64_t from = std::max(after + 1, pauseEnd(table));
    forEachOccurrence(table, from, from + 8 * civil::minutesPerDay, earliest);
    if (first)
        return first;
    const int count = usableCount(table);
    for (int i = 1; i <= count; ++i) {
        const store::AlarmPlan& plan = table.APlan[static_cast<std::size_t>(i)];
        if (plan.date)
            forEachOccurrence(table, *plan.date * civil::minutesPerDay,
                              (*plan.date + 2) * civil::minutesPerDay,
                              [&](std::int16_t index, std::int64_t due) {
                                  if (index == i && due >= from)
                                      earliest(index, due);
                              });
    }
    return first;
}

std::optional<std::int64_t> nextDueMinute(const store::AlarmTable& table, std::int64_t after)
{
    const auto ring = nextRing(table, after);
    return ring ? std::optional(ring->minute) : std::nullopt;
}

std::optional<std::int64_t> nextSkippableDay(const store::AlarmTable& table, std::int16_t index,
                                             std::int64_t after)
{
    if (!table.has(index) || usableCount(table) < index)
        return std::nullopt;
    const auto at = static_cast<std::size_t>(index);
    store::AlarmTable alone;
    alone.resize(1);
    alone.ACount = 1;
    alone.pauseUntil = table.pauseUntil;
    alone.AType[1] = table.AType[at];
    alone.AClock[1] = table.AClock[at];
    alone.APlan[1] = table.APlan[at];
    alone.APlan[1].skip.reset();
    alone.AState[1] = 1;
    const auto ring = nextRing(alone, after);
    if (!ring)
        return std::nullopt;
    return civil::floorDiv(ring->minute - ringOffset(alone, 1), civil::minutesPerDay);
}

} // namespace scheduler
