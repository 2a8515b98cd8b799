// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"

#include <optional>
#include <string>

namespace platform {

// Whether the machine can be woken for an alarm, for the status line.
struct WakeStatus
{
    enum class Ability {
        Unknown, // nothing tried yet: no alarm has asked for a wake-up
        Wakes,
        Refused,
    };
    Ability ability = Ability::Unknown;
    std::string reason; // why not, when Refused

    bool operator==(const WakeStatus&) const = default;
};

// A timer that wakes a suspended machine, where the system lets the program have one.
class WakeTimer
{
public:
    virtual ~WakeTimer() = default;
    // Wakes the machine at the start of local minute `when` (its second and millisecond are ignored), or
    // at no time with nullopt; replaces the earlier time. Does nothing where waking is not allowed.
    virtual void wakeAt(const std::optional<LocalDateTime>& when) = 0;
    virtual WakeStatus status() const = 0;
};

} // namespace platform
