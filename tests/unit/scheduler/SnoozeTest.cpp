// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

namespace {

// Alarm 1 of two starts at the row's offsets, alarm 2 at 0:00, which it must keep. Rows: index, offsets
// before, SVH, SVM, increment, offsets after. Outside 1..ACount, or above the arrays of a table being
// rebuilt (index 4, ACount 5): nothing changes.
TEST(SetSnoozeValue, SetsOrAddsWithinTheSixteenBitRange)
{
    const std::int16_t cases[][8] = {
        {1, 0, 5, 0, 10, true, 0, 15},
        {1, 1, 1, 2, 30, false, 2, 30},
        {1, 32760, 32000, 12, 59, true, 32767, 32059},
        {1, -32760, 32767, -12, 1, true, -32768, 32767},
        {0, 1, 2, 5, 5, false, 1, 2},
        {4, 1, 2, 5, 5, false, 1, 2},
    };
    for (const auto& c : cases) {
        store::AlarmTable table;
        table.resize(2);
        table.ACount = c[0] == 4 ? 5 : 2;
        table.ASnoozeH[1] = c[1];
        table.ASnoozeM[1] = c[2];
        scheduler::SetSnoozeValue(table, c[0], c[3], c[4], c[5] != 0);
        EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, c[6], 0})) << c[0] << " " << c[4];
        EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, c[7], 0})) << c[0] << " " << c[4];
    }
}

// The lateness of the ring goes in as hours and minutes; a clock set back gives no negative lateness.
// Snooze 0:00 on a late ring keeps the offsets: counted from the press it would move the alarm to the
// minute of the press, and it would ring that late every day until OK.
TEST(SnoozeFromPress, AddsTheLatenessToTheDuration)
{
    const std::int64_t cases[][5] = {{0, 5, 12, 0, 17}, {0, 5, 75, 1, 20},
                                     {0, 5, -3, 0, 5},  {0, 5, 100'000'000, 32767, 5 + 100'000'000 % 60},
                                     {0, 0, 1, 0, 0},   {0, 0, 100'000, 0, 0},
                                     {0, 1, 90, 1, 31}, {1, 0, 3, 1, 3}};
    for (const auto& c : cases) {
        const auto offsets = scheduler::snoozeFromPress(static_cast<std::int16_t>(c[0]),
                                                        static_cast<std::int16_t>(c[1]), c[2]);
        EXPECT_EQ(offsets.hours * 100 + offsets.minutes, c[3] * 100 + c[4])
            << c[0] << ":" << c[1] << " late " << c[2];
    }
}

} // namespace
