// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// A reading of the local wall clock.
struct LocalDateTime
{
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

} // namespace platform
