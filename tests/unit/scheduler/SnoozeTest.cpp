// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

namespace {

// Alarm 1 of two starts at the row's offsets, alarm 2 at 0:00, which it must keep. Outside 1..ACount
// nothing changes.
struct Set
{
    const char* name;
    std::int16_t index = 1, hoursBefore, minutesBefore, hours, minutes;
    bool increment;
    std::int16_t hoursAfter, minutesAfter;
};
const Set sets[] = {
    {.name = "stops at the top",
     .hoursBefore = 32760,
     .minutesBefore = 32000,
     .hours = 12,
     .minutes = 59,
     .increment = true,
     .hoursAfter = 32767,
     .minutesAfter = 32059},
    {.name = "index 0",
     .index = 0,
     .hoursBefore = 1,
     .minutesBefore = 2,
     .hours = 5,
     .minutes = 5,
     .increment = false,
     .hoursAfter = 1,
     .minutesAfter = 2},
};

TEST(SetSnoozeValue, SetsOrAddsWithinTheSixteenBitRange)
{
    for (const Set& c : sets) {
        SCOPED_TRACE(c.name);
        store::AlarmTable table;
        table.resize(2);
        table.ACount = 2;
        table.ASnoozeH[1] = c.hoursBefore;
        table.ASnoozeM[1] = c.minutesBefore;
        scheduler::SetSnoozeValue(table, c.index, c.hours, c.minutes, c.increment);
        EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, c.hoursAfter, 0}));
        EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, c.minutesAfter, 0}));
    }
}

// The lateness of the ring goes in as hours and minutes, up to the 16-bit top.
// Snooze 0:00 on a late ring keeps the offsets: counted from the press it would move the alarm to the
// minute of the press, and it would ring that late every day until OK.
struct Press
{
    const char* name;
    std::int16_t hours = 0, minutes = 5;
    std::int64_t lateMinutes;
    int hoursAfter, minutesAfter;
};
const Press presses[] = {
    {.name = "75 late", .lateMinutes = 75, .hoursAfter = 1, .minutesAfter = 20},
    {.name = "years late", .lateMinutes = 100'000'000, .hoursAfter = 32767, .minutesAfter = 45},
    {.name = "0:00 late", .minutes = 0, .lateMinutes = 1, .hoursAfter = 0, .minutesAfter = 0},
};

TEST(SnoozeFromPress, AddsTheLatenessToTheDuration)
{
    for (const Press& c : presses) {
        SCOPED_TRACE(c.name);
        const auto offsets = scheduler::snoozeFromPress(c.hours, c.minutes, c.lateMinutes);
        EXPECT_EQ(offsets.hours, c.hoursAfter);
        EXPECT_EQ(offsets.minutes, c.minutesAfter);
    }
}

} // namespace
