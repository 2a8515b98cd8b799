#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

namespace {

// Snooze 0:00 on a late ring keeps the offsets: counted from the press it would move the alarm to the
// minute of the press, and it would ring that late every day until OK. Other durations still count from
// the press.
TEST(SnoozeFromPress, ZeroDurationAddsNothingHoweverLate)
{
    struct Case
    {
        std::int16_t hours, minutes;
        std::int64_t late;
        std::int16_t hoursAfter, minutesAfter;
    };
    for (const Case c : {Case{0, 0, 0, 0, 0}, Case{0, 0, 1, 0, 0}, Case{0, 0, 90, 0, 0},
                         Case{0, 0, 100'000, 0, 0}, Case{0, 1, 90, 1, 31}, Case{1, 0, 3, 1, 3}}) {
        const auto offsets = scheduler::snoozeFromPress(c.hours, c.minutes, c.late);
        EXPECT_EQ(offsets.hours, c.hoursAfter) << c.hours << ":" << c.minutes << " late " << c.late;
        EXPECT_EQ(offsets.minutes, c.minutesAfter) << c.hours << ":" << c.minutes << " late " << c.late;
    }
}

} // namespace
