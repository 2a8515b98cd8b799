#include "scheduler/AlarmCheck.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "scheduler/Snooze.h"
#include "store/AlarmLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct AlarmRow
{
    int hour = 7;
    int minute = 0;
    std::string days = "1234567";
    std::int16_t state = 1;
};

store::AlarmTable tableOf(const std::vector<AlarmRow>& alarms)
{
    store::AlarmTable table;
    table.ACount = static_cast<std::int16_t>(alarms.size());
    table.ASound.resize(alarms.size() + 1);
    table.AStoredTime.resize(alarms.size() + 1);
    table.ASnoozeH.resize(alarms.size() + 1);
    table.ASnoozeM.resize(alarms.size() + 1);
    table.AType = table.AMemo = table.ATime = {""};
    table.AState = {0};
    table.AClock = {{}};
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:00", alarms[i].hour, alarms[i].minute);
        table.AType.push_back(alarms[i].days);
        table.AMemo.push_back("memo " + std::to_string(i + 1));
        table.ATime.push_back(time);
        table.AState.push_back(alarms[i].state);
        table.AClock.push_back({true, alarms[i].hour, alarms[i].minute});
    }
    return table;
}

// Records each hand-over as "index weekday hh:mm" of the clock at that moment.
class RecordingWindow : public scheduler::AlarmWindow
{
public:
    explicit RecordingWindow(const fakes::FakeClock& clock) : m_clock(clock) {}
    void showAlarm(std::int16_t index, const std::string&, const std::string&) override
    {
        static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        const platform::LocalDateTime now = m_clock.now();
        char text[32];
        std::snprintf(text, sizeof text, "%d %s %02d:%02d", index, names[now.weekday - 1], now.hour,
                      now.minute);
        rings.push_back(text);
    }
    std::vector<std::string> rings;

private:
    const fakes::FakeClock& m_clock;
};

using Rings = std::vector<std::string>;
constexpr long long oneDay = 24 * 60 * 60;

// The check with everything around it. Days are those of December 2026; the 7th is a Monday.
struct Rig
{
    explicit Rig(const std::vector<AlarmRow>& alarms = {}) : table(tableOf(alarms))
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
    // closeOpen: any open window is closed right after its tick, as by OK without touching the offsets.
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
    // What the main window does on Delete: the offsets, the check's state and the table move down alike.
    void remove(std::int16_t index)
    {
        table.removeOffsetsAt(index);
        check.alarmRemoved(index);
        for (auto* texts : {&table.AType, &table.AMemo, &table.ATime})
            texts->erase(texts->begin() + index);
        table.AState.erase(table.AState.begin() + index);
        table.AClock.erase(table.AClock.begin() + index);
        --table.ACount;
    }
    void setDataIni(bool present)
    {
        if (present)
            folder.write("Data.ini", "");
        else
            std::filesystem::remove(folder.file("Data.ini"));
    }
};

// Loaded through the start-up load, so that the check and the load agree on the fields.
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
    rig.run(oneDay, 30, true);
    EXPECT_EQ(rig.window.rings, (Rings{"1 Mon 07:00", "3 Mon 19:00"}));
}

// Plays a script of steps separated by blanks: "@7/06:59:59" sets the clock (day of December 2026),
// "~H:M" sets the snooze offsets of alarm 1, "+N" ticks every second for N seconds leaving windows open, "*N"
// ticks every 10 s for N seconds with each window closed at once, ">N" moves the clock on N seconds without a
// tick, "tick", "ok", "close" (closed without touching the offsets), "snoozeM" (0:M), "noini"/"ini" (Data.ini
// deleted/written), "onI"/"offI" (alarm I switched), "countN" (a reload with Count=N), "load" (the start-up
// load of one alarm at 7:00), "delI" (alarm I deleted as the main window deletes it), "noshow" (the open
// window stands for no alarm any more).
void play(Rig& rig, const std::string& script)
{
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
        const auto number = [&step](std::size_t from) { return std::stoll(step.substr(from)); };
        int d = 0, h = 0, m = 0, s = 0;
        if (std::sscanf(step.c_str(), "@%d/%d:%d:%d", &d, &h, &m, &s) == 4)
            rig.at(d, h, m, s);
        else if (std::sscanf(step.c_str(), "~%d:%d", &h, &m) == 2) {
            rig.table.ASnoozeH[1] = static_cast<std::int16_t>(h);
            rig.table.ASnoozeM[1] = static_cast<std::int16_t>(m);
        } else if (step[0] == '+')
            rig.run(number(1));
        else if (step[0] == '*')
            rig.run(number(1), 10, true);
        else if (step[0] == '>')
            rig.clock.advanceSeconds(number(1));
        else if (step == "tick")
            rig.tick();
        else if (step == "ok")
            rig.ok();
        else if (step == "noshow")
            EXPECT_FALSE(rig.check.showingIndex()); // OK and Snooze must touch no other alarm
        else if (step == "close")
            rig.check.windowClosed();
        else if (step.starts_with("snooze"))
            rig.snooze(0, static_cast<std::int16_t>(number(6)));
        else if (step == "noini" || step == "ini")
            rig.setDataIni(step == "ini");
        else if (step.starts_with("on") || step.starts_with("off"))
            rig.table.AState[static_cast<std::size_t>(number(step[1] == 'n' ? 2 : 3))] = step[1] == 'n';
        else if (step.starts_with("count"))
            rig.table.ACount = static_cast<std::int16_t>(number(5));
        else if (step.starts_with("badclock"))
            rig.table.AClock[static_cast<std::size_t>(number(8))].valid = false;
        else if (step == "load")
            rig.table = tableOf({{7, 0}});
        else if (step.starts_with("del"))
            rig.remove(static_cast<std::int16_t>(number(3)));
        else
            FAIL() << "unknown step " << step;
    }
}

TEST(AlarmCheck, RingsEachOccurrenceOnceAndInTurn)
{
    struct Case
    {
        const char* script;
        std::vector<AlarmRow> alarms;
        Rings expected;
    };
    const std::vector<AlarmRow> one{{7, 0}}, two{{7, 0}, {7, 0}}, three{{7, 0}, {7, 0}, {7, 0}};
    const Case cases[] = {
        // Off (any State but 1), no readable weekday, or no time of day: never rings.
        {"@7/06:00:00 badclock6 *7200",
         {{7, 0, "1234567", 0},
          {7, 0, "1234567", 2},
          {7, 0, "1234567", -1},
          {7, 0, ""},
          {7, 0, "089 x"},
          {7, 0},
          {7, 1}},
         {"7 Mon 07:01"}},
        // One ring per occurrence, however the window is closed inside the minute.
        {"@7/06:59:59 +21 ok *86400", one, {"1 Mon 07:00", "1 Tue 07:00"}},
        {"@7/06:59:59 +21 snooze0 *86400", one, {"1 Mon 07:00", "1 Tue 07:00"}},
        // Each window is left open 40 s: the later alarms show after their minute has passed.
        {"@7/06:59:50 +55 ok +40 ok +600", two, {"1 Mon 07:00", "2 Mon 07:00"}},
        {"@7/06:59:50 +55 ok +40 ok +40 ok +600", three, {"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:01"}},
        {"@7/07:00:00 tick >20 on2 tick ok ok ok",
         {{7, 0}, {7, 0, "1234567", 0}, {7, 0}},
         {"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:00"}},
        {"@7/07:00:00 tick off2 ok *600", two, {"1 Mon 07:00"}},
        {"@7/07:58:00 +65 ok +3720 ok", {{7, 59}, {9, 0}}, {"1 Mon 07:59", "2 Mon 09:00"}},
        {"@7/06:59:00 +70 snooze5 +300 snooze5 +300 ok *86400",
         one,
         {"1 Mon 07:00", "1 Mon 07:05", "1 Mon 07:10", "1 Tue 07:00"}},
        // Alarm 1 rings unanswered until 7:12: its snooze counts from the press, not from 7:00.
        {"@7/07:00:00 +720 snooze5 +30 ok *600", two, {"1 Mon 07:00", "2 Mon 07:12", "1 Mon 07:17"}},
        {"@7/07:00:00 +86430 ok *86400", one, {"1 Mon 07:00", "1 Wed 07:00"}},
        // Summer time ends: 1:00 to 1:59 come round again.
        {"@7/01:29:00 *300 @7/01:00:00 *3600", {{1, 30}, {1, 40}}, {"1 Mon 01:30", "2 Mon 01:40"}},
        // Start-up inside or after the due minute, and a first tick before the start-up load.
        {"@7/07:00:59 tick", one, {"1 Mon 07:00"}},
        {"@7/07:01:00 tick", one, {}},
        {"@7/07:00:10 tick >5 load tick", {}, {"1 Mon 07:00"}},
        // No alarm rings while Data.ini is absent, and its minutes are not caught up later.
        {"@7/06:59:30 tick noini *40 ini *60", one, {"1 Mon 07:00"}},
        {"@7/06:59:30 tick noini *100 ini *86400", one, {"1 Tue 07:00"}},
        {"@7/07:00:00 tick noini ok ini >600 tick", two, {"1 Mon 07:00", "2 Mon 07:10"}},
        // A hand-edited Count of 2: what waited for alarm 3 is dropped.
        {"@7/07:00:00 tick count2 >5 tick ok ok *600", three, {"1 Mon 07:00", "2 Mon 07:00"}},
        {"@7/07:00:00 tick ok ok count2 >5 tick noshow close",
         three,
         {"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:00"}},
        // Deleted alarms take their showing or waiting occurrences along; the rest move down and do not
        // ring again in the same minute under their new indexes.
        {"@7/07:00:00 tick del2 del1 >10 tick close ok ok *50",
         {{7, 0}, {7, 0}, {7, 0}, {7, 0}},
         {"1 Mon 07:00", "1 Mon 07:00", "2 Mon 07:00"}},
        {"@7/07:00:00 tick ok del1 snooze5 *600",
         three,
         {"1 Mon 07:00", "2 Mon 07:00", "2 Mon 07:00", "1 Mon 07:05"}},
        // Minutes without a tick (a stall, the hour skipped when summer time starts) are caught up
        // within the limit only.
        {"@7/06:59:59 *1 >60 *3", {{7, 0}, {7, 0}, {6, 59}}, {"3 Mon 06:59", "1 Mon 07:01", "2 Mon 07:01"}},
        {"@7/06:59:59 *1 >3600 *3", {{7, 0}, {7, 0}, {6, 59}}, {"3 Mon 06:59", "1 Mon 08:00", "2 Mon 08:00"}},
        {"@7/06:59:59 *1 >7260 *3", {{7, 0}, {7, 0}, {6, 59}}, {"3 Mon 06:59"}},
        // Offsets carry into hours and days; the weekday is that of the occurrence before the offset.
        {"@7/07:00:00 ~0:5 *7200", {{7, 58}}, {"1 Mon 08:03"}},
        {"@11/23:00:00 ~0:5 *7200", {{23, 58, "6"}}, {"1 Sat 00:03"}},
        {"@11/23:00:00 ~0:5 *97200", {{23, 58, "7"}}, {"1 Sun 00:03"}},
        {"@7/06:00:00 ~0:90 *10800", one, {"1 Mon 08:30"}},
        {"@7/06:00:00 ~25:0 *100000", {{7, 0, "2"}}, {"1 Tue 08:00"}},
        {"@31/23:00:00 ~1:0 *7200", {{23, 30, "5"}}, {"1 Fri 00:30"}}, // Thursday 31 December, new year
        {"@7/23:00:00 ~0:-20 *3600", {{0, 10}}, {"1 Mon 23:50"}},      // back over midnight
    };
    static_assert(scheduler::AlarmCheck::catchUpMinutes == 120,
                  "the 7260 s gap is one minute beyond the limit");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Rig rig(c.alarms);
        play(rig, c.script);
        EXPECT_EQ(rig.window.rings, c.expected);
    }
}

// A window that reports itself closed while it is being shown gets the waiting alarms one after another,
// not nested; a reload it causes meanwhile is followed before the next hand-over.
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
                *table = tableOf(std::vector<AlarmRow>(20)); // the file lost 30 alarms
            deepest = std::max(deepest, ++depth);
            check->windowClosed();
            --depth;
        }
    };
    Rig rig(std::vector<AlarmRow>(50));
    ClosingWindow window;
    scheduler::AlarmCheck check{rig.clock, rig.files, rig.table, window};
    window.check = &check;
    window.table = &rig.table;
    check.Timer1_Timer();
    EXPECT_EQ(window.shown.size(), 20u);
    EXPECT_EQ(window.shown.back(), 20);
    EXPECT_EQ(window.deepest, 1);
    EXPECT_EQ(check.waitingCount(), 0u);
}

// Ticking every few seconds, once a minute or with gaps of more than a minute finds the same rings.
class TickRate : public ::testing::TestWithParam<long long>
{
};

TEST_P(TickRate, DoesNotChangeWhatRings)
{
    Rig rig({{7, 0, "23456"}, {7, 0}, {23, 59, "6"}, {0, 0, "7"}, {12, 30, "1"}, {7, 0, "1234567", 0}});
    rig.table.ASnoozeM[3] = 2; // Friday 23:59 postponed to Saturday 0:01
    rig.at(6, 0, 0);
    rig.run(7 * oneDay, GetParam(), true);
    std::string order;
    for (const std::string& ring : rig.window.rings)
        order += ring.front();
    EXPECT_EQ(order, "251212121212432");
}

INSTANTIATE_TEST_SUITE_P(AlarmCheck, TickRate, ::testing::Values(7, 60, 90, 150));

} // namespace
