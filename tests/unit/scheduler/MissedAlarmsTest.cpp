// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/MissedAlarms.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"

#include "Tables.h"

#include "fakes/FakeLocaleTime.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using scheduler::civil::localMinute;

// "7 07:00": the day of December 2026 (the 7th is a Monday) and the time.
std::string when(std::int64_t minute)
{
    const platform::LocalDateTime at = scheduler::civil::fromLocalMinute(minute);
    char text[40];
    std::snprintf(text, sizeof text, "%d %02d:%02d", at.day, at.hour, at.minute);
    return text;
}

// Asleep from Monday 7th 07:00 on: the occurrences up to a minute, both included; a gap longer than a week
// lists the last seven days.
TEST(MissedAlarms, ListsTheGapUpToAWeek)
{
    const store::AlarmTable t = tableOf({"7:00", "23:30/2", "0:15/3", "23:30/3", "3:59/4"});
    const auto list = [&t](int day, int hour, int minute) {
        Lines out;
        for (const auto& alarm : scheduler::missedAlarms(t, localMinute({2026, 12, 7, 7, 0}),
                                                         localMinute({2026, 12, day, hour, minute})))
            out.push_back(std::to_string(alarm.index) + " " + when(alarm.minute));
        return out;
    };
    EXPECT_EQ(list(7, 7, 0), Lines{"1 7 07:00"});
    EXPECT_EQ(list(8, 5, 59), (Lines{"1 7 07:00", "2 7 23:30", "3 8 00:15"}));
    EXPECT_EQ(list(30, 3, 59),
              (Lines{"1 23 07:00", "1 24 07:00", "1 25 07:00", "1 26 07:00", "1 27 07:00", "1 28 07:00",
                     "2 28 23:30", "3 29 00:15", "1 29 07:00", "4 29 23:30", "5 30 03:59"}));
}

TEST(MissedAlarms, NoticeText)
{
    store::AlarmTable t = tableOf({"7:00/1", "23:30/2"});
    t.ASnoozeH[2] = 1;
    const auto missed =
        scheduler::missedAlarms(t, localMinute({2026, 12, 6, 0, 0}), localMinute({2026, 12, 8, 1, 0}));
    EXPECT_EQ(scheduler::missedNoticeText(missed, fakes::FakeLocaleTime()),
              "These alarms were due while the computer slept or its clock was set:\n"
              "Sun 2026-12-06  7:00:00 AM  memo 1\n"
              "Tue 2026-12-08  12:30:00 AM  memo 2 (snoozed)");
}

TEST(NextDue, SkipsTheCurrentMinuteOffAlarmsAndOtherDays)
{
    store::AlarmTable t = tableOf({"7:00/2", "6:00/3", "8:00"});
    const std::int64_t monday7 = localMinute({2026, 12, 7, 7, 0});
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "7 08:00");
    t.AState[3] = 0;
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "8 06:00");
    t.ASnoozeH[1] = 23; // Monday's 7:00 snoozed to Tuesday 5:59
    t.ASnoozeM[1] = -1;
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "8 05:59");
}

} // namespace
