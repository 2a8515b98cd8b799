// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

#include <ctime>
#include <optional>

namespace platform {

// The start of local minute `when` in seconds since the epoch, as the kernel's wake-up timers take it;
// 0, which they read as "not set", for none or a time mktime cannot place.
inline time_t wakeSeconds(const std::optional<LocalDateTime>& when)
{
    if (!when)
        return 0;
    tm local{};
    local.tm_year = when->year - 1900;
    local.tm_mon = when->month - 1;
    local.tm_mday = when->day;
    local.tm_hour = when->hour;
    local.tm_min = when->minute;
    local.tm_isdst = -1; // whatever daylight-saving time says for that day
    const time_t at = mktime(&local);
    return at == -1 ? 0 : at;
}

} // namespace platform
