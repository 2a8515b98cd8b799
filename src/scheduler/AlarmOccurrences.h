// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/AlarmTable.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace scheduler {

// When the alarms of a table are due, read the way the check reads them: alarm i is due in local minute m
// (minutes since 1970-01-01 00:00 of the local calendar) when it is switched on (AState 1), its time is a
// time of day, and m minus its snooze offsets falls on AClock(i) on one of the weekdays of AType(i).

// ACount taken once, but never beyond the shortest array, so that a table being built up elsewhere is not
// read past its end; 0 for a negative count.
int usableCount(const store::AlarmTable& table);

// Calls visit(index, minute) for each occurrence in from..to (both included), alarm by alarm in index
// order and each alarm's in time order. An empty range visits nothing.
void forEachOccurrence(const store::AlarmTable& table, std::int64_t from, std::int64_t to,
                       const std::function<void(std::int16_t index, std::int64_t minute)>& visit);

// The first minute after `after` in which any alarm is due; nullopt when no alarm can ring.
std::optional<std::int64_t> nextDueMinute(const store::AlarmTable& table, std::int64_t after);

} // namespace scheduler
