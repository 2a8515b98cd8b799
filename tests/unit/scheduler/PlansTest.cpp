// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"
#include "scheduler/Snooze.h"

#include "Tables.h"

#include <gtest/gtest.h>

namespace {

using scheduler::civil::localMinute;

// Days of December 2026: the 7th is a Monday.
std::int64_t dec(int day)
{
    return localMinute({2026, 12, day, 0, 0}) / scheduler::civil::minutesPerDay;
}

std::string when(std::optional<std::int64_t> minute)
{
    if (!minute)
        return "never";
    const platform::LocalDateTime at = scheduler::civil::fromLocalMinute(*minute);
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", at.month, at.day, at.hour, at.minute);
    return text;
}

// One alarm with the keys beyond its weekly ring, and the first ring after a moment.
struct NextRing
{
    const char* name;
    const char* alarm; // as tableOf reads it
    std::optional<std::int64_t> date = std::nullopt;
    std::optional<std::int64_t> skip = std::nullopt;
    std::int16_t snoozeMinutes = 0;
    std::optional<std::int64_t> pauseUntil = std::nullopt;
    platform::LocalDateTime after;
    const char* rings;
};

const NextRing nextRings[] = {
    {.name = "skip holds its day's ring, the next day rings",
     .alarm = "7:00",
     .skip = dec(8),
     .after = {2026, 12, 7, 7, 0},
     .rings = "12-09 07:00"},
    {.name = "skip on the day of a snooze holds the snoozed ring",
     .alarm = "7:00",
     .skip = dec(7),
     .snoozeMinutes = 5,
     .after = {2026, 12, 7, 7, 0},
     .rings = "12-08 07:05"},
    {.name = "skip of a ring snoozed past midnight is by its own day",
     .alarm = "23:58",
     .skip = dec(7),
     .snoozeMinutes = 5,
     .after = {2026, 12, 7, 23, 0},
     .rings = "12-09 00:03"},
    {.name = "skip date in the past changes nothing",
     .alarm = "7:00",
     .skip = dec(6),
     .after = {2026, 12, 7, 6, 0},
     .rings = "12-07 07:00"},
    {.name = "pause holds every ring before its day",
     .alarm = "23:30",
     .pauseUntil = dec(9),
     .after = {2026, 12, 7, 12, 0},
     .rings = "12-09 23:30"},
    {.name = "pause ends at midnight: a ring carried past it rings",
     .alarm = "23:58",
     .snoozeMinutes = 5,
     .pauseUntil = dec(9),
     .after = {2026, 12, 7, 12, 0},
     .rings = "12-09 00:03"},
    {.name = "pause across a weekend: weekdays ring again on Monday",
     .alarm = "7:00/23456",
     .pauseUntil = dec(12),
     .after = {2026, 12, 8, 12, 0},
     .rings = "12-14 07:00"},
    {.name = "one-off at 23:59",
     .alarm = "23:59/-",
     .date = dec(8),
     .after = {2026, 12, 7, 23, 59},
     .rings = "12-08 23:59"},
    {.name = "one-off rings once",
     .alarm = "23:59/-",
     .date = dec(8),
     .after = {2026, 12, 8, 23, 59},
     .rings = "never"},
    {.name = "one-off at 00:00",
     .alarm = "0:00/-",
     .date = dec(8),
     .after = {2026, 12, 7, 23, 59},
     .rings = "12-08 00:00"},
    {.name = "one-off snoozed past midnight",
     .alarm = "23:58/-",
     .date = dec(8),
     .snoozeMinutes = 5,
     .after = {2026, 12, 8, 23, 58},
     .rings = "12-09 00:03"},
    {.name = "one-off date wins over a weekday set",
     .alarm = "7:00/1234567",
     .date = dec(9),
     .after = {2026, 12, 7, 6, 0},
     .rings = "12-09 07:00"},
    {.name = "one-off months ahead",
     .alarm = "7:00/-",
     .date = dec(9) + 90,
     .after = {2026, 12, 7, 6, 0},
     .rings = "03-09 07:00"},
    {.name = "one-off skipped",
     .alarm = "7:00/-",
     .date = dec(9),
     .skip = dec(9),
     .after = {2026, 12, 7},
     .rings = "never"},
};

TEST(Plans, NextRingFollowsSkipPauseAndOneOffs)
{
    for (const NextRing& row : nextRings) {
        SCOPED_TRACE(row.name);
        store::AlarmTable t = tableOf({row.alarm});
        t.APlan[1].date = row.date;
        t.APlan[1].skip = row.skip;
        t.ASnoozeM[1] = row.snoozeMinutes;
        t.pauseUntil = row.pauseUntil;
        EXPECT_EQ(when(scheduler::nextDueMinute(t, localMinute(row.after))), row.rings);
    }
}

// "Skip next" takes the day of the ring that would come next were the alarm on and without its snooze.
struct SkipDay
{
    const char* name;
    const char* alarm;
    std::optional<std::int64_t> date = std::nullopt;
    std::optional<std::int64_t> skip = std::nullopt;
    std::int16_t snoozeMinutes = 0;
    std::optional<std::int64_t> pauseUntil = std::nullopt;
    std::optional<std::int64_t> day = std::nullopt;
};

const SkipDay skipDays[] = {
    {.name = "the next weekday, an evening ring", .alarm = "21:00/35", .day = dec(8)},
    {.name = "an alarm that is off", .alarm = "7:00/35/0", .day = dec(8)},
    {.name = "a skip already set is not counted", .alarm = "7:00/35", .skip = dec(8), .day = dec(8)},
    {.name = "a snooze is not counted", .alarm = "5:00", .snoozeMinutes = 90, .day = dec(8)},
    {.name = "not a ring the pause holds", .alarm = "7:00/35", .pauseUntil = dec(9), .day = dec(10)},
    {.name = "no weekday: never", .alarm = "7:00/-", .day = std::nullopt},
    {.name = "a one-off: its date", .alarm = "7:00/-", .date = dec(9), .day = dec(9)},
};

TEST(Plans, SkipNextTakesTheComingDay)
{
    for (const SkipDay& row : skipDays) {
        SCOPED_TRACE(row.name);
        store::AlarmTable t = tableOf({row.alarm});
        t.APlan[1].date = row.date;
        t.APlan[1].skip = row.skip;
        t.ASnoozeM[1] = row.snoozeMinutes;
        t.pauseUntil = row.pauseUntil;
        EXPECT_EQ(scheduler::nextSkippableDay(t, 1, localMinute({2026, 12, 7, 6, 0})), row.day);
    }
}

struct RingIn
{
    const char* name;
    platform::LocalDateTime now;
    std::int16_t hours;
    std::int16_t minutes;
    const char* rings;
};

const RingIn ringIns[] = {
    {.name = "1 minute on the minute",
     .now = {2026, 12, 7, 10, 0},
     .hours = 0,
     .minutes = 1,
     .rings = "12-07 10:01"},
    {.name = "seconds round up",
     .now = {2026, 12, 7, 10, 0, 1},
     .hours = 0,
     .minutes = 1,
     .rings = "12-07 10:02"},
    {.name = "23:59 ends tomorrow",
     .now = {2026, 12, 7, 10, 0},
     .hours = 23,
     .minutes = 59,
     .rings = "12-08 09:59"},
};

TEST(Plans, RingInCountsFromTheNextWholeMinute)
{
    for (const RingIn& row : ringIns) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(when(scheduler::ringInMinute(row.now, row.hours, row.minutes)), row.rings);
    }
}

} // namespace
