#include "scheduler/AlarmCheck.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

// Alarms given as "hh:mm days": 1 07:00 daily, 2 23:30 Mondays, 3 00:15 Tuesdays, 4 23:30 Tuesdays.
store::AlarmTable table(const std::vector<std::string>& alarms)
{
    store::AlarmTable t;
    t.ACount = static_cast<std::int16_t>(alarms.size());
    t.AType = t.AMemo = t.ATime = t.ASound = {""};
    t.AState = t.ASnoozeH = t.ASnoozeM = {0};
    t.AClock = {{}};
    for (const std::string& alarm : alarms) {
        const int hour = std::stoi(alarm.substr(0, 2)), minute = std::stoi(alarm.substr(3, 2));
        t.AType.push_back(alarm.substr(6));
        t.AMemo.push_back("memo " + std::to_string(t.AMemo.size()));
        t.ATime.push_back(alarm.substr(0, 5));
        t.ASound.emplace_back();
        t.AState.push_back(1);
        t.ASnoozeH.push_back(0);
        t.ASnoozeM.push_back(0);
        t.AClock.push_back({true, hour, minute});
    }
    return t;
}

std::string when(std::int64_t minute)
{
    static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const platform::LocalDateTime at = scheduler::civil::fromLocalMinute(minute);
    char text[32];
    std::snprintf(text, sizeof text, "%s %d %02d:%02d", names[at.weekday - 1], at.day, at.hour, at.minute);
    return text;
}

struct Rig : scheduler::AlarmWindow, scheduler::MissedAlarmNotice
{
    explicit Rig(const std::vector<std::string>& alarms) : t(table(alarms))
    {
        folder.write("Data.ini", "");
        check.setMissedNotice(this);
    }
    void showAlarm(std::int16_t index, const std::string&, const std::string&) override
    {
        rings.push_back(std::to_string(index) + " " + when(scheduler::civil::localMinute(clock.now())));
        check.windowClosed();
    }
    void showMissed(const std::vector<scheduler::MissedAlarm>& list) override
    {
        for (const auto& alarm : list)
            missed.push_back(std::to_string(alarm.index) + " " + when(alarm.minute) +
                             (alarm.snoozed ? " z" : ""));
        ++notices;
    }
    // Ticks at day/hour:minute of December 2026 (the 7th is a Monday).
    void tickAt(int day, int hour, int minute)
    {
        clock.set(2026, 12, day, hour, minute, 30);
        check.Timer1_Timer();
    }
    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable t;
    scheduler::AlarmCheck check{clock, files, t, *this};
    Lines rings, missed;
    int notices = 0;
};

const std::vector<std::string> week{"07:00 1234567", "23:30 2", "00:15 3", "23:30 3"};

// The machine sleeps from one tick to the next; what rings at resume and what the notice lists.
TEST(MissedAlarms, GapsRingWithinTheWindowAndListTheRest)
{
    struct Case
    {
        int day, hour, minute; // resume; the last tick was Monday 7th 06:59
        Lines rings, missed;
    };
    const Case cases[] = {
        {7, 7, 1, {"1 Mon 7 07:01"}, {}},
        {7, 8, 59, {"1 Mon 7 08:59"}, {}}, // 119 late
        {7, 9, 0, {"1 Mon 7 09:00"}, {}},  // 120 late
        {7, 9, 1, {}, {"1 Mon 7 07:00"}},  // 121 late
        {8, 8, 0, {"1 Tue 8 08:00"}, {"1 Mon 7 07:00", "2 Mon 7 23:30", "3 Tue 8 00:15"}},
        {30, 6, 0, {}, {"1 Mon 7 07:00", "2 Mon 7 23:30", "3 Tue 8 00:15", "4 Tue 8 23:30"}},
    };
    static_assert(scheduler::AlarmCheck::catchUpMinutes == 120);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day * 10000 + c.hour * 100 + c.minute);
        Rig rig(week);
        rig.tickAt(7, 6, 59);
        rig.tickAt(c.day, c.hour, c.minute);
        EXPECT_EQ(rig.rings, c.rings);
        if (c.day == 30) { // weeks asleep: the last seven days only, the 23rd a Wednesday
            ASSERT_EQ(rig.missed.size(), 10u);
            EXPECT_EQ(rig.missed.front(), "1 Wed 23 07:00");
            EXPECT_EQ(rig.missed.back(), "4 Tue 29 23:30");
        } else {
            EXPECT_EQ(rig.missed, c.missed);
        }
        EXPECT_EQ(rig.notices, c.missed.empty() ? 0 : 1);
    }
}

TEST(MissedAlarms, ClockSetBackAndSnoozedRings)
{
    Rig rig({"07:00 1234567"});
    rig.tickAt(7, 7, 0);  // rings
    rig.tickAt(7, 6, 30); // set back: nothing missed, and 7:00 rings again as it comes
    rig.tickAt(7, 10, 0); // forward past it: it rang already
    EXPECT_EQ(rig.rings, (Lines{"1 Mon 7 07:00"}));
    EXPECT_TRUE(rig.missed.empty());
    rig.t.ASnoozeM[1] = 10; // snoozed to 7:10 on Tuesday; asleep through it
    rig.tickAt(8, 7, 5);
    rig.tickAt(8, 9, 20);
    EXPECT_EQ(rig.missed, (Lines{"1 Tue 8 07:10 z"}));
}

TEST(MissedAlarms, NoticeText)
{
    store::AlarmTable t = table({"07:00 1", "23:30 2"});
    t.ASnoozeH[2] = 1;
    const auto missed = scheduler::missedAlarms(t, scheduler::civil::localMinute({2026, 12, 6, 0, 0}),
                                                scheduler::civil::localMinute({2026, 12, 8, 1, 0}));
    EXPECT_EQ(scheduler::missedNoticeText(missed, fakes::FakeLocaleTime()),
              "These alarms were due while the computer slept or its clock was set:\n"
              "Sun 2026-12-06  7:00:00 AM  memo 1\n"
              "Tue 2026-12-08  12:30:00 AM  memo 2 (snoozed)");
}

TEST(NextDue, SkipsTheCurrentMinuteOffAlarmsAndOtherDays)
{
    store::AlarmTable t = table({"07:00 2", "06:00 3", "08:00 1234567"});
    const std::int64_t monday7 = scheduler::civil::localMinute({2026, 12, 7, 7, 0});
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "Mon 7 08:00");
    t.AState[3] = 0;
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "Tue 8 06:00");
    t.ASnoozeH[1] = 23; // Monday's 7:00 snoozed to 6:00 on Tuesday, before alarm 2 at 6:00
    t.ASnoozeM[1] = -1;
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7)), "Tue 8 05:59");
    EXPECT_EQ(when(*scheduler::nextDueMinute(t, monday7 + 24 * 60)), "Tue 15 05:59");
    t.AState = {0, 0, 0, 0};
    EXPECT_FALSE(scheduler::nextDueMinute(t, monday7));
}

} // namespace
