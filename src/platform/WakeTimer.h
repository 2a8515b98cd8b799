// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"

#include <optional>

namespace platform {

// A timer that wakes a suspended machine, where the system lets the program have one.
class WakeTimer
{
public:
    virtual ~WakeTimer() = default;
    // Wakes the machine at the start of local minute `when` (its second and millisecond are ignored), or
    // at no time with nullopt; replaces the earlier time. Does nothing where waking is not allowed.
    virtual void wakeAt(const std::optional<LocalDateTime>& when) = 0;
};

} // namespace platform
