// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <cstdint>

namespace scheduler::civil {

// Local wall-clock minutes counted from 1970-01-01 00:00 of the civil calendar, so that ranges and
// offsets run across midnight, week ends and month ends without special cases.

constexpr std::int64_t minutesPerDay = 24 * 60;

inline std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

inline std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return -floorDiv(-a, b);
}

inline std::int64_t localMinute(const platform::LocalDateTime& time)
{
    using namespace std::chrono;
    const sys_days date = year_month_day{year{time.year}, month{static_cast<unsigned>(time.month)},
                                         day{static_cast<unsigned>(time.day)}};
    return std::int64_t{date.time_since_epoch().count()} * minutesPerDay + time.hour * 60 + time.minute;
}

inline platform::LocalDateTime fromLocalMinute(std::int64_t minute)
{
    using namespace std::chrono;
    const std::int64_t dayNumber = floorDiv(minute, minutesPerDay);
    const auto of = static_cast<int>(minute - dayNumber * minutesPerDay);
    const sys_days date{days{dayNumber}};
    const year_month_day ymd{date};
    platform::LocalDateTime result;
    result.year = static_cast<int>(ymd.year());
    result.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    result.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    result.hour = of / 60;
    result.minute = of % 60;
    return result;
}

// 1 = Sunday .. 7 = Saturday; day 0 (1970-01-01) was a Thursday.
inline char weekdayDigit(std::int64_t dayNumber)
{
    return static_cast<char>('1' + (dayNumber + 4 - floorDiv(dayNumber + 4, 7) * 7));
}

} // namespace scheduler::civil
