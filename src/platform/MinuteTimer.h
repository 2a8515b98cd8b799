// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace platform {

// A single-shot timer aimed at the start of the next minute of the wall clock. Unlike a timer that counts
// elapsed time, it is not late after the machine slept or the clock was set.
class MinuteTimer
{
public:
    virtual ~MinuteTimer() = default;
    // Aims at the start of the next minute by the wall clock as it reads now; replaces any earlier aim.
    virtual void armNextMinute() = 0;
    // Runs when that minute starts, and at once when the wall clock was set (the aim may be wrong then).
    // Nothing runs again until the next armNextMinute.
    std::function<void()> fired;
};

} // namespace platform
