#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

namespace {

using Offsets = std::vector<std::int16_t>;

// Alarm 1 of two starts at the row's offsets, alarm 2 at 0:00, which it must keep.
TEST(SetSnoozeValue, SetsOrAddsWithinTheSixteenBitRange)
{
    struct Case
    {
        std::int16_t index, hours, minutes, svh, svm;
        bool increment;
        std::int16_t hoursAfter, minutesAfter;
    };
    const Case cases[] = {
        {1, 0, 5, 0, 10, true, 0, 15},
        {1, 3, 40, 0, 0, false, 0, 0},
        {1, 1, 1, 2, 30, false, 2, 30},
        {1, 32760, 32000, 12, 59, true, 32767, 32059},
        {1, -32760, 32767, -12, 1, true, -32768, 32767},
        // Outside 1..ACount, or above the arrays of a table being rebuilt: nothing changes.
        {0, 1, 2, 5, 5, false, 1, 2},
        {-1, 1, 2, 5, 5, true, 1, 2},
        {3, 1, 2, 5, 5, false, 1, 2},
        {4, 1, 2, 5, 5, false, 1, 2},
    };
    for (const Case& c : cases) {
        store::AlarmTable table;
        table.ACount = 2;
        table.resize(2);
        if (c.index == 4)
            table.ACount = 5;
        table.ASnoozeH[1] = c.hours;
        table.ASnoozeM[1] = c.minutes;
        scheduler::SetSnoozeValue(table, c.index, c.svh, c.svm, c.increment);
        EXPECT_EQ(table.ASnoozeH, (Offsets{0, c.hoursAfter, 0})) << c.index << " " << c.svm;
        EXPECT_EQ(table.ASnoozeM, (Offsets{0, c.minutesAfter, 0})) << c.index << " " << c.svm;
    }
}

// The lateness of the ring goes in as hours and minutes; a clock set back gives no negative lateness.
TEST(SnoozeFromPress, AddsTheLatenessToTheDuration)
{
    struct Case
    {
        std::int64_t late;
        std::int16_t hours, minutes;
    };
    for (const Case c : {Case{0, 0, 5}, Case{12, 0, 17}, Case{75, 1, 20}, Case{-3, 0, 5},
                         Case{100'000'000, 32767, 5 + 100'000'000 % 60}}) {
        const auto offsets = scheduler::snoozeFromPress(0, 5, c.late);
        EXPECT_EQ(offsets.hours, c.hours) << c.late;
        EXPECT_EQ(offsets.minutes, c.minutes) << c.late;
    }
}

} // namespace
