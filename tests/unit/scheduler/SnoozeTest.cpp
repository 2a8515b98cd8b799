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
TEST(SnoozeFromPress, AddsTheLatenessToTheDuration)
{
    for (const auto& [late, hours, minutes] : {std::tuple<std::int64_t, int, int>{12, 0, 17},
                                               {75, 1, 20},
                                               {-3, 0, 5},
                                               {100'000'000, 32767, 5 + 100'000'000 % 60}}) {
        const auto offsets = scheduler::snoozeFromPress(0, 5, late);
        EXPECT_EQ(offsets.hours * 100 + offsets.minutes, hours * 100 + minutes) << late;
    }
}

} // namespace
