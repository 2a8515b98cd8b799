#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

store::AlarmTable tableWithOffsets(std::int16_t hours, std::int16_t minutes)
{
    store::AlarmTable table;
    table.ACount = 2;
    table.ASnoozeH = {0, hours, 0};
    table.ASnoozeM = {0, minutes, 0};
    return table;
}

TEST(SetSnoozeValue, SetsOrAddsWithoutPassingTheSixteenBitRange)
{
    struct Case
    {
        const char* name;
        std::int16_t hours, minutes; // before
        std::int16_t svh, svm;
        bool increment;
        std::int16_t expectedHours, expectedMinutes;
    };
    const Case cases[] = {
        {"add", 0, 5, 0, 10, true, 0, 15},
        {"set, as OK does", 3, 40, 0, 0, false, 0, 0},
        {"set replaces", 1, 1, 2, 30, false, 2, 30},
        {"sum stops at the top", 32760, 32000, 12, 59, true, 32767, 32059},
        {"minutes stop at the top", 0, 32767, 0, 1, true, 0, 32767},
        {"sum stops at the bottom", -32760, 0, -12, 0, true, -32768, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store::AlarmTable table = tableWithOffsets(c.hours, c.minutes);
        scheduler::SetSnoozeValue(table, 1, c.svh, c.svm, c.increment);
        EXPECT_EQ(table.ASnoozeH[1], c.expectedHours);
        EXPECT_EQ(table.ASnoozeM[1], c.expectedMinutes);
        EXPECT_EQ(table.ASnoozeH[2], 0);
        EXPECT_EQ(table.ASnoozeM[2], 0);
    }
}

TEST(SetSnoozeValue, IndexOutsideTheTableChangesNothing)
{
    for (std::int16_t index : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{3}, std::int16_t{32767}}) {
        SCOPED_TRACE(index);
        store::AlarmTable table = tableWithOffsets(1, 2);
        scheduler::SetSnoozeValue(table, index, 5, 5, true);
        scheduler::SetSnoozeValue(table, index, 5, 5, false);
        EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, 1, 0}));
        EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 2, 0}));
    }
    // A count above the arrays (a table being rebuilt) is no licence to write past them.
    store::AlarmTable table = tableWithOffsets(1, 2);
    table.ACount = 5;
    scheduler::SetSnoozeValue(table, 4, 5, 5, false);
    EXPECT_EQ(table.ASnoozeH.size(), 3u);
}

TEST(SnoozeFromNow, AddsTheLatenessAsHoursAndMinutes)
{
    struct Case
    {
        std::int64_t late;
        std::int16_t expectedHours, expectedMinutes;
    };
    for (const Case c : {Case{0, 0, 10}, Case{12, 0, 22}, Case{75, 1, 25}, Case{-3, 0, 10},
                         Case{100'000'000, 32767, 5 + 100'000'000 % 60 + 5}}) {
        SCOPED_TRACE(c.late);
        store::AlarmTable table = tableWithOffsets(0, 5);
        scheduler::snoozeFromNow(table, 1, 0, 5, c.late);
        EXPECT_EQ(table.ASnoozeH[1], c.expectedHours);
        EXPECT_EQ(table.ASnoozeM[1], c.expectedMinutes);
    }
}

} // namespace
