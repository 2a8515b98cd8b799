// SPDX-License-Identifier: GPL-3.0-or-later
#include "Snooze.h"

#include "CivilMinute.h"

#include <algorithm>
#include <limits>

namespace scheduler {

namespace {

std::int16_t saturated(std::int64_t value)
{
    constexpr std::int64_t low = std::numeric_limits<std::int16_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, low, high));
}

} // namespace

void SetSnoozeValue(store::AlarmTable& table, std::int16_t Index, std::int16_t SVH, std::int16_t SVM,
                    bool Increment)
{
    // The notification window may still hold an index that a deletion took away.
    if (!table.has(Index))
        return;
    const auto at = static_cast<std::size_t>(Index);
    if (Increment) {
        table.ASnoozeH[at] = saturated(std::int64_t{table.ASnoozeH[at]} + SVH);
        table.ASnoozeM[at] = saturated(std::int64_t{table.ASnoozeM[at]} + SVM);
    } else {
        table.ASnoozeH[at] = SVH;
        table.ASnoozeM[at] = SVM;
    }
}

SnoozeOffsets snoozeFromPress(std::int16_t hours, std::int16_t minutes, std::int64_t lateMinutes)
{
    // 0:00 postpones nothing: counted from the press it would move the alarm to "now" for good.
    if (hours == 0 && minutes == 0)
        return {};
    const std::int64_t late = std::max<std::int64_t>(0, lateMinutes);
    return {saturated(std::int64_t{hours} + late / 60), saturated(std::int64_t{minutes} + late % 60)};
}

std::int64_t ringInMinute(const platform::LocalDateTime& now, std::int16_t hours, std::int16_t minutes)
{
    const bool partMinute = now.second > 0 || now.millisecond > 0;
    return civil::localMinute(now) + (partMinute ? 1 : 0) + std::int64_t{hours} * 60 + minutes;
}

} // namespace scheduler
