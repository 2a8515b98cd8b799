// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace text {

struct TimeOfDay
{
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

} // namespace text
