#include "scheduler/AlarmCheck.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "scheduler/Snooze.h"
#include "store/AlarmLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct AlarmSpec
{
    int hour = 7;
    int minute = 0;
    std::string days = "1234567";
    std::int16_t state = 1;
};

store::AlarmTable tableOf(const std::vector<AlarmSpec>& alarms)
{
    store::AlarmTable table;
    const std::size_t size = alarms.size() + 1;
    table.ACount = static_cast<std::int16_t>(alarms.size());
    table.AType.resize(size);
    table.AMemo.resize(size);
    table.ATime.resize(size);
    table.ASound.resize(size);
    table.AState.resize(size);
    table.ASnoozeH.resize(size);
    table.ASnoozeM.resize(size);
    table.AStoredTime.resize(size);
    table.AClock.resize(size);
    for (std::size_t i = 1; i < size; ++i) {
        const AlarmSpec& alarm = alarms[i - 1];
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:00", alarm.hour, alarm.minute);
        table.AType[i] = alarm.days;
        table.AMemo[i] = "memo " + std::to_string(i);
        table.ATime[i] = time;
        table.AStoredTime[i] = time;
        table.AState[i] = alarm.state;
        table.AClock[i] = {true, alarm.hour, alarm.minute};
    }
    return table;
}

// What the main window does on Delete: the file loses the section and the table follows on reload, the
// offsets and the check's own state move with the alarms.
void deleteAlarm(store::AlarmTable& table, scheduler::AlarmCheck& check, std::int16_t index)
{
    table.removeOffsetsAt(index);
    check.alarmRemoved(index);
    const auto at = static_cast<std::ptrdiff_t>(index);
    table.AType.erase(table.AType.begin() + at);
    table.AMemo.erase(table.AMemo.begin() + at);
    table.ATime.erase(table.ATime.begin() + at);
    table.AState.erase(table.AState.begin() + at);
    table.AClock.erase(table.AClock.begin() + at);
    --table.ACount;
}

std::string stamp(const platform::LocalDateTime& now)
{
    static const std::array<const char*, 7> names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    char text[32];
    std::snprintf(text, sizeof text, "%s %02d:%02d", names[static_cast<std::size_t>(now.weekday - 1)],
                  now.hour, now.minute);
    return text;
}

class RecordingWindow : public scheduler::AlarmWindow
{
public:
    explicit RecordingWindow(const fakes::FakeClock& clock) : m_clock(clock) {}
    struct Shown
    {
        std::int16_t index;
        std::string memo;
        std::string timeText;
        std::string at; // "Mon 07:05"
    };
    void showAlarm(std::int16_t index, const std::string& memo, const std::string& timeText) override
    {
        shown.push_back({index, memo, timeText, stamp(m_clock.now())});
    }
    std::vector<Shown> shown;

private:
    const fakes::FakeClock& m_clock;
};

// The check with everything around it. The clock starts on Monday 2026-12-07.
struct Rig
{
    explicit Rig(const std::vector<AlarmSpec>& alarms = {}) : table(tableOf(alarms))
    {
        folder.write("Data.ini", "[Alarm]\r\n");
    }
    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable table;
    RecordingWindow window{clock};
    scheduler::AlarmCheck check{clock, files, table, window};

    void at(int day, int hour, int minute, int second = 0) { clock.set(2026, 12, day, hour, minute, second); }
    void tick() { check.Timer1_Timer(); }
    // Ticks every stepSeconds for the given time; closeOpen closes any open window right after its tick,
    // as a user pressing OK at once would (without touching the offsets).
    void run(long long seconds, long long stepSeconds = 1, bool closeOpen = false)
    {
        for (long long passed = 0; passed < seconds; passed += stepSeconds) {
            tick();
            if (closeOpen && check.showingIndex())
                check.windowClosed();
            clock.advanceSeconds(stepSeconds);
        }
    }
    void ok()
    {
        ASSERT_TRUE(check.showingIndex());
        scheduler::SetSnoozeValue(table, *check.showingIndex(), 0, 0, false);
        check.windowClosed();
    }
    void snooze(std::int16_t hours, std::int16_t minutes)
    {
        ASSERT_TRUE(check.showingIndex());
        scheduler::snoozeFromNow(table, *check.showingIndex(), hours, minutes, check.showingLateMinutes());
        check.windowClosed();
    }
    std::vector<std::string> rings() const
    {
        std::vector<std::string> result;
        for (const auto& shown : window.shown)
            result.push_back(std::to_string(shown.index) + " " + shown.at);
        return result;
    }
};

using Rings = std::vector<std::string>;

TEST(AlarmCheck, RingsOnItsWeekdaysOnly)
{
    Rig rig({{7, 0, "23456"}});
    rig.at(6, 0, 0); // Sunday
    rig.run(7 * 24 * 60 * 60, 20, true);
    EXPECT_EQ(rig.rings(),
              (Rings{"1 Mon 07:00", "1 Tue 07:00", "1 Wed 07:00", "1 Thu 07:00", "1 Fri 07:00"}));
    EXPECT_EQ(rig.window.shown.front().memo, "memo 1");
    EXPECT_EQ(rig.window.shown.front().timeText, "07:00:00");
}

TEST(AlarmCheck, AlarmsThatAreOffOrUnreadableNeverRing)
{
    Rig rig({{7, 0, "1234567", 0},
             {7, 0, "1234567", 2},
             {7, 0, "1234567", -1},
             {7, 0, ""},
             {7, 0, "089 x"},
             {7, 0},
             {7, 1}});
    rig.table.AClock[6].valid = false; // a Time in the file that is no time of day
    rig.at(6, 0, 0);
    rig.run(7 * 24 * 60 * 60, 60, true);
    ASSERT_EQ(rig.window.shown.size(), 7u);
    for (const auto& shown : rig.window.shown)
        EXPECT_EQ(shown.index, 7);
}

TEST(AlarmCheck, OneRingPerOccurrenceWhateverClosesTheWindowInsideTheMinute)
{
    struct Case
    {
        const char* name;
        void (*close)(Rig&);
    };
    const Case cases[] = {
        {"OK", [](Rig& rig) { rig.ok(); }},
        {"Snooze 0:00", [](Rig& rig) { rig.snooze(0, 0); }},
        {"closed without a report", [](Rig& rig) { rig.check.windowClosed(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({{7, 0}});
        rig.at(7, 6, 59, 59);
        rig.run(21);
        EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00"}));
        c.close(rig);
        rig.run(24 * 60 * 60, 10, true);
        EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "1 Tue 07:00"}));
    }
}

TEST(AlarmCheck, AlarmsDueInTheSameMinuteAllRingInTurn)
{
    for (std::size_t count : {2u, 3u}) {
        SCOPED_TRACE(count);
        Rig rig(std::vector<AlarmSpec>(count, AlarmSpec{7, 0}));
        rig.at(7, 6, 59, 50);
        rig.run(15);
        EXPECT_EQ(rig.check.showingIndex(), 1);
        EXPECT_EQ(rig.check.waitingCount(), count - 1);
        // Each window is left open for 40 s: the later alarms are shown after their minute has passed.
        for (std::size_t shown = 1; shown < count; ++shown) {
            rig.run(40);
            rig.ok();
        }
        rig.run(40);
        rig.ok();
        rig.run(10 * 60);
        Rings expected{"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:01"};
        expected.resize(count);
        EXPECT_EQ(rig.rings(), expected);
        EXPECT_EQ(rig.check.waitingCount(), 0u);
        EXPECT_FALSE(rig.check.showingIndex());
    }
}

TEST(AlarmCheck, AlarmSwitchedOnLaterInTheMinuteWaitsInIndexOrder)
{
    Rig rig({{7, 0}, {7, 0, "1234567", 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.tick();
    rig.clock.advanceSeconds(20);
    rig.table.AState[2] = 1; // On/Off and the reload that follows it
    rig.tick();
    EXPECT_EQ(rig.check.waitingCount(), 2u);
    rig.ok();
    rig.ok();
    rig.ok();
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:00"}));
}

TEST(AlarmCheck, RingInTheLastMinuteOfAnHourDoesNotSilenceTheNextAlarm)
{
    Rig rig({{7, 59}, {9, 0}});
    rig.at(7, 7, 58);
    rig.run(65);
    rig.ok();
    rig.run(62 * 60);
    rig.ok();
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:59", "2 Mon 09:00"}));
}

TEST(AlarmCheck, SnoozeTwiceThenOk)
{
    Rig rig({{7, 0}});
    rig.at(7, 6, 59);
    rig.run(70);
    rig.snooze(0, 5);
    rig.run(5 * 60);
    rig.snooze(0, 5);
    rig.run(5 * 60);
    EXPECT_EQ(rig.table.ASnoozeM[1], 10);
    rig.ok();
    EXPECT_EQ(rig.table.ASnoozeH[1], 0);
    EXPECT_EQ(rig.table.ASnoozeM[1], 0);
    rig.run(24 * 60 * 60, 10, true);
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "1 Mon 07:05", "1 Mon 07:10", "1 Tue 07:00"}));
}

TEST(AlarmCheck, SnoozeOffsetsCarryIntoHoursAndDays)
{
    struct Case
    {
        AlarmSpec alarm;
        std::int16_t snoozeH;
        std::int16_t snoozeM;
        int startDay;
        int startHour;
        const char* firstRing;
    };
    const Case cases[] = {
        {{7, 58}, 0, 5, 7, 7, "1 Mon 08:03"},
        {{23, 58, "6"}, 0, 5, 11, 23, "1 Sat 00:03"},       // the Friday occurrence, postponed
        {{23, 58, "7"}, 0, 5, 11, 23, "1 Sun 00:03"},       // not Saturday 0:03: Friday's is not due
        {{7, 0}, 0, 90, 7, 6, "1 Mon 08:30"},               // minutes beyond an hour
        {{7, 0, "2"}, 25, 0, 7, 6, "1 Tue 08:00"},          // Monday's occurrence, a day and an hour on
        {{23, 30, "5"}, 1, 0, 31, 23, "1 Fri 00:30"},       // Thursday 31 December into the new year
        {{0, 10, "1234567"}, 0, -20, 7, 23, "1 Mon 23:50"}, // a negative offset runs back over midnight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstRing);
        Rig rig({c.alarm});
        rig.table.ASnoozeH[1] = c.snoozeH;
        rig.table.ASnoozeM[1] = c.snoozeM;
        rig.at(c.startDay, c.startHour, 0);
        rig.run(2 * 24 * 60 * 60, 30, true);
        ASSERT_FALSE(rig.rings().empty());
        EXPECT_EQ(rig.rings().front(), c.firstRing);
    }
}

TEST(AlarmCheck, StartingInsideTheDueMinuteRingsOnTheFirstTick)
{
    struct Case
    {
        int minute;
        int second;
        bool rings;
    };
    for (const Case c : {Case{0, 30, true}, Case{0, 59, true}, Case{1, 0, false}}) {
        SCOPED_TRACE(c.second);
        Rig rig({{7, 0}});
        rig.at(7, 7, c.minute, c.second);
        rig.tick();
        EXPECT_EQ(rig.window.shown.size(), c.rings ? 1u : 0u);
    }

    // A tick before the start-up load sees no alarms; the load later in the minute still rings it.
    Rig rig;
    const store::AlarmTable loaded = tableOf({{7, 0}});
    rig.at(7, 7, 0, 10);
    rig.tick();
    rig.clock.advanceSeconds(5);
    rig.table = loaded;
    rig.tick();
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00"}));
}

TEST(AlarmCheck, NoAlarmRingsWhileDataIniIsAbsent)
{
    struct Case
    {
        const char* name;
        int restoredAfterSeconds; // counted from 6:59:30
        Rings expected;
    };
    const Case cases[] = {
        {"back within the due minute", 40, {"1 Mon 07:00"}},
        {"back after the due minute", 100, {}},
        {"back a day later", 24 * 60 * 60, {"1 Tue 07:00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({{7, 0}});
        rig.at(7, 6, 59, 30);
        rig.tick();
        std::filesystem::remove(rig.folder.file("Data.ini"));
        rig.run(c.restoredAfterSeconds, 10, true);
        rig.folder.write("Data.ini", "");
        rig.run(60, 10, true);
        EXPECT_EQ(rig.rings(), c.expected);
    }
}

TEST(AlarmCheck, WaitingAlarmIsHeldWhileDataIniIsAbsent)
{
    Rig rig({{7, 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.tick();
    std::filesystem::remove(rig.folder.file("Data.ini"));
    rig.ok();
    EXPECT_EQ(rig.window.shown.size(), 1u);
    EXPECT_EQ(rig.check.waitingCount(), 1u);
    rig.folder.write("Data.ini", "");
    rig.clock.advanceMinutes(10);
    rig.tick();
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "2 Mon 07:10"}));
}

TEST(AlarmCheck, DeletionMovesShowingAndWaitingOccurrencesWithTheirAlarms)
{
    Rig rig({{7, 0}, {7, 0}, {7, 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.tick();
    ASSERT_EQ(rig.check.waitingCount(), 3u);

    deleteAlarm(rig.table, rig.check, 2); // waiting
    EXPECT_EQ(rig.check.waitingCount(), 2u);
    EXPECT_EQ(rig.check.showingIndex(), 1);

    deleteAlarm(rig.table, rig.check, 1); // showing: its window stays open until it is closed
    EXPECT_FALSE(rig.check.showingIndex());
    rig.clock.advanceSeconds(10);
    rig.tick();
    EXPECT_EQ(rig.window.shown.size(), 1u);

    rig.check.windowClosed();
    ASSERT_EQ(rig.window.shown.size(), 2u);
    EXPECT_EQ(rig.window.shown.back().index, 1);
    EXPECT_EQ(rig.window.shown.back().memo, "memo 3");
    rig.ok();
    EXPECT_EQ(rig.window.shown.back().memo, "memo 4");
    EXPECT_EQ(rig.window.shown.back().index, 2);
    rig.ok();
    // Those that rang this minute keep their place under their new indexes and do not ring again.
    rig.run(50, 1, true);
    EXPECT_EQ(rig.window.shown.size(), 3u);
}

TEST(AlarmCheck, ReloadWithFewerAlarmsDropsWhatWaitedForTheLostOnes)
{
    Rig rig({{7, 0}, {7, 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.tick();
    store::AlarmTable shorter = tableOf({{7, 0}, {7, 0}});
    shorter.ASnoozeH = rig.table.ASnoozeH;
    shorter.ASnoozeM = rig.table.ASnoozeM;
    shorter.ASnoozeH.resize(3);
    shorter.ASnoozeM.resize(3);
    rig.table = shorter; // a hand-edited Count of 2
    rig.clock.advanceSeconds(5);
    rig.tick();
    EXPECT_EQ(rig.check.waitingCount(), 1u);
    rig.ok();
    rig.ok();
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "2 Mon 07:00"}));
    EXPECT_FALSE(rig.check.showingIndex());
}

TEST(AlarmCheck, AlarmSwitchedOffWhileWaitingIsNotShown)
{
    Rig rig({{7, 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.tick();
    rig.table.AState[2] = 0;
    rig.ok();
    EXPECT_EQ(rig.window.shown.size(), 1u);
    EXPECT_EQ(rig.check.waitingCount(), 0u);
}

TEST(AlarmCheck, AlarmLeftShowingIsNotQueuedAgain)
{
    Rig rig({{7, 0}});
    rig.at(7, 7, 0);
    rig.run(24 * 60 * 60 + 30, 30); // nobody answers until Tuesday 7:00:30
    EXPECT_EQ(rig.check.waitingCount(), 0u);
    rig.ok();
    rig.run(24 * 60 * 60, 30, true);
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "1 Wed 07:00"}));
}

TEST(AlarmCheck, SnoozeOnALateRingCountsFromThePress)
{
    Rig rig({{7, 0}, {7, 0}});
    rig.at(7, 7, 0);
    rig.run(12 * 60); // alarm 1 rings unanswered until 7:12
    EXPECT_EQ(rig.check.showingLateMinutes(), 12);
    rig.snooze(0, 5);
    EXPECT_EQ(rig.check.showingIndex(), 2);
    EXPECT_EQ(rig.check.showingLateMinutes(), 12);
    rig.run(30);
    rig.ok();
    rig.run(10 * 60, 1, true);
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "2 Mon 07:12", "1 Mon 07:17"}));
}

TEST(AlarmCheck, MinutesWithoutATickAreCaughtUpWithinTheLimit)
{
    struct Case
    {
        const char* name;
        long long gapMinutes;
        Rings expected;
    };
    const Case cases[] = {
        {"a stalled minute", 2, {"1 Mon 07:01", "2 Mon 07:01"}},
        {"the hour skipped when summer time starts", 61, {"1 Mon 08:00", "2 Mon 08:00"}},
        {"a gap beyond the limit", scheduler::AlarmCheck::catchUpMinutes + 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig({{7, 0}, {7, 0}, {6, 59}});
        rig.at(7, 6, 59, 59);
        rig.tick();
        rig.check.windowClosed();
        rig.clock.advanceSeconds(1 + (c.gapMinutes - 1) * 60);
        rig.run(3, 1, true);
        Rings expected{"3 Mon 06:59"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(rig.rings(), expected);
    }
}

TEST(AlarmCheck, ClockSetBackDoesNotRingTheSameOccurrenceTwice)
{
    Rig rig({{1, 30}, {1, 40}});
    rig.at(7, 1, 29);
    rig.run(5 * 60, 1, true);
    rig.at(7, 1, 0); // summer time ends: 1:00 to 1:59 come round again
    rig.run(60 * 60, 1, true);
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 01:30", "2 Mon 01:40"}));
}

// The table as the start-up load builds it from Data.ini, so the check and the load agree on the fields.
TEST(AlarmCheck, RingsAlarmsLoadedFromDataIni)
{
    Rig rig;
    rig.folder.write("Data.ini", "[Alarm]\r\nCount=3\r\n"
                                 "[Alarm1]\r\nType=23456\r\nTime=7:00 AM\r\nMemo=Up\r\nState=1\r\n"
                                 "[Alarm2]\r\nType=1234567\r\nTime=19:30\r\nMemo=Off\r\nState=0\r\n"
                                 "[Alarm3]\r\nTime=7:00 PM\r\nMemo=No day set\r\nState=1\r\n");
    fakes::FakeLocaleTime localeTime;
    ASSERT_TRUE(store::loadAlarmTable(rig.table, rig.folder.file("Data.ini"), rig.files, localeTime));
    rig.at(7, 6, 0);
    rig.run(24 * 60 * 60, 30, true);
    EXPECT_EQ(rig.rings(), (Rings{"1 Mon 07:00", "3 Mon 19:00"}));
    EXPECT_EQ(rig.window.shown[0].memo, "Up");
    EXPECT_EQ(rig.window.shown[0].timeText, "7:00:00 AM");
}

// A window that reports itself closed while it is being shown gets the waiting alarms one after another,
// not nested inside one another; a reload it causes meanwhile is followed before the next hand-over.
TEST(AlarmCheck, WindowClosingInsideShowAlarmGetsTheNextInTurn)
{
    struct ClosingWindow : scheduler::AlarmWindow
    {
        scheduler::AlarmCheck* check = nullptr;
        store::AlarmTable* table = nullptr;
        std::vector<std::int16_t> shown;
        int depth = 0;
        int deepest = 0;
        void showAlarm(std::int16_t index, const std::string&, const std::string&) override
        {
            shown.push_back(index);
            if (index == 10)
                *table = tableOf(std::vector<AlarmSpec>(20, AlarmSpec{7, 0})); // the file lost 30 alarms
            deepest = std::max(deepest, ++depth);
            check->windowClosed();
            --depth;
        }
    };
    fakes::TempFolder folder;
    folder.write("Data.ini", "");
    platform::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable table = tableOf(std::vector<AlarmSpec>(50, AlarmSpec{7, 0}));
    ClosingWindow window;
    scheduler::AlarmCheck check{clock, files, table, window};
    window.check = &check;
    window.table = &table;
    check.Timer1_Timer();
    EXPECT_EQ(window.shown.size(), 20u);
    EXPECT_EQ(window.shown.back(), 20);
    EXPECT_EQ(window.deepest, 1);
    EXPECT_EQ(check.waitingCount(), 0u);
}

// Ticking at the start of each minute, every few seconds, or with gaps of more than a minute finds the
// same occurrences.
class TickRate : public ::testing::TestWithParam<long long>
{
};

TEST_P(TickRate, DoesNotChangeWhatRings)
{
    Rig rig({{7, 0, "23456"}, {7, 0}, {23, 59, "6"}, {0, 0, "7"}, {12, 30, "1"}, {7, 0, "1234567", 0}});
    rig.table.ASnoozeM[3] = 2; // Friday 23:59 postponed to Saturday 0:01
    rig.at(6, 0, 0);
    rig.run(7 * 24 * 60 * 60, GetParam(), true);
    std::vector<std::int16_t> order;
    for (const auto& shown : rig.window.shown)
        order.push_back(shown.index);
    EXPECT_EQ(order, (std::vector<std::int16_t>{2, 5, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 4, 3, 2}));
}

INSTANTIATE_TEST_SUITE_P(AlarmCheck, TickRate, ::testing::Values(7, 60, 90, 150));

} // namespace
