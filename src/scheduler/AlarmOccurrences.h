// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/AlarmTable.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace scheduler {

// When the alarms of a table are due: the one rule the check, the missed notice, the wake timer and the
// next-alarm line all ask. Alarm i is due in local minute m (minutes since 1970-01-01 00:00 of the local
// calendar) when it is switched on (AState 1), its time is a time of day, and m minus its snooze offsets
// falls on AClock(i) on its own day, where
// - the own day is one of the weekdays of AType(i), or for a one-off (a Date) that date alone, whatever
//   AType says;
// - the own day is not its Skip date;
// - m is not before the day the alarms are paused until.

// ACount taken once, but never beyond the shortest array, so that a table being built up elsewhere is not
// read past its end; 0 for a negative count.
int usableCount(const store::AlarmTable& table);

// Calls visit(index, minute) for each occurrence in from..to (both included), alarm by alarm in index
// order and each alarm's in time order. An empty range visits nothing.
void forEachOccurrence(const store::AlarmTable& table, std::int64_t from, std::int64_t to,
                       const std::function<void(std::int16_t index, std::int64_t minute)>& visit);

// Whether a pause keeps minute from ringing.
bool heldByPause(const store::AlarmTable& table, std::int64_t minute);

struct Ring
{
    std::int16_t index = 0;
    std::int64_t minute = 0;
};

// The first occurrence after `after`, the lower index first within a minute; nullopt when none can ring.
std::optional<Ring> nextRing(const store::AlarmTable& table, std::int64_t after);

// The first minute after `after` in which any alarm is due; nullopt when no alarm can ring.
std::optional<std::int64_t> nextDueMinute(const store::AlarmTable& table, std::int64_t after);

// The own day of the ring alarm index would give next after `after` if it were switched on, without its
// snooze offsets and its present Skip: the day "Skip next" stores. nullopt when it would never ring.
std::optional<std::int64_t> nextSkippableDay(const store::AlarmTable& table, std::int16_t index,
                                             std::int64_t after);

} // namespace scheduler
