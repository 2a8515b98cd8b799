// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "store/AlarmTable.h"

#include <cstdint>

namespace scheduler {

// Sets (Increment false) or adds to (Increment true) the snooze offsets of alarm Index. Sums saturate
// within the signed 16-bit range; an Index outside 1..ACount does nothing.
void SetSnoozeValue(store::AlarmTable& table, std::int16_t Index, std::int16_t SVH, std::int16_t SVM,
                    bool Increment = false);

// Snooze pressed on a ring that shows lateMinutes after its own minute (it waited behind another alarm or
// was left ringing; AlarmCheck::showingLateMinutes): the offsets to add so that the next ring comes
// hours:minutes after the press. Adding the duration alone would aim at a minute that may already have
// passed, and the alarm would stay silent until the next day. The lateness goes in as hours and minutes,
// so the minute offset stays small however long it rang. A duration of 0:00 gives 0:00, late or not: the
// alarm keeps its offsets and rings next when they come due as they stand.
struct SnoozeOffsets
{
    std::int16_t hours = 0;
    std::int16_t minutes = 0;
};
SnoozeOffsets snoozeFromPress(std::int16_t hours, std::int16_t minutes, std::int64_t lateMinutes);

// "Ring in" hours:minutes from now: the local minute it rings in, the seconds of now rounded up, so that
// it never rings sooner than asked.
std::int64_t ringInMinute(const platform::LocalDateTime& now, std::int16_t hours, std::int16_t minutes);

} // namespace scheduler
