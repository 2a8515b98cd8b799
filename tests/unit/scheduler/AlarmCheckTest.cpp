// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/AlarmCheck.h"

#include "Tables.h"
#include "fakes/FakeClock.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "scheduler/Snooze.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

// Records each hand-over as "index weekday hh:mm" of the clock (December 2026: the 7th is a Monday), and
// each alarm of a missed notice as "!index".
struct Rig : scheduler::AlarmWindow, scheduler::MissedAlarmNotice
{
    explicit Rig(const std::string& alarms) : table(tableOf(alarms))
    {
        folder.write("Data.ini", "");
        check.setMissedNotice(this);
    }
    void showMissed(const std::vector<scheduler::MissedAlarm>& missed) override
    {
        for (const auto& alarm : missed)
            rings += (rings.empty() ? "!" : ",!") + std::to_string(alarm.index);
    }
    void showAlarm(std::int16_t index, const std::string&, const std::string&) override
    {
        static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        const platform::LocalDateTime now = clock.now();
        char text[32];
        std::snprintf(text, sizeof text, "%s%d %s %02d:%02d", rings.empty() ? "" : ",", index,
                      names[(now.day + (now.month == 1 ? 32 : 1)) % 7], now.hour, now.minute);
        rings += text;
    }
    fakes::TempFolder folder;
    fakes::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable table;
    std::string rings;
    scheduler::AlarmCheck check{clock, files, table, *this};

    // Steps, separated by blanks: "@D/hh:mm:ss" sets the clock to that day of December 2026, "~H:M" sets
    // alarm 1's offsets, "+N" ticks every second for N s leaving windows open, "*N" ticks every 10 s closing
    // each window at once, ">N" moves the clock N s without a tick, "tick", "ok" and "snoozeM" as the window
    // does them, "close" (closed, offsets untouched), "noini"/"ini" (Data.ini deleted/written), "onI"/"offI",
    // "countN" (Count hand-edited), "delI" (deleted as the main window does it).
    void play(const std::string& script)
    {
        std::istringstream steps(script);
        for (std::string step; steps >> step;) {
            const auto digits = step.find_first_of("0123456789");
            const int n = digits == std::string::npos ? 0 : std::atoi(step.c_str() + digits);
            const auto n16 = static_cast<std::int16_t>(n);
            int d = 0, h = 0, m = 0, s = 0;
            if (std::sscanf(step.c_str(), "@%d/%d:%d:%d", &d, &h, &m, &s) == 4)
                clock.set(2026, 12, d, h, m, s);
            else if (std::sscanf(step.c_str(), "~%d:%d", &h, &m) == 2)
                scheduler::SetSnoozeValue(table, 1, static_cast<std::int16_t>(h),
                                          static_cast<std::int16_t>(m));
            else if (step[0] == '+' || step[0] == '*') {
                for (int passed = 0; passed < n; passed += step[0] == '+' ? 1 : 10) {
                    check.Timer1_Timer();
                    if (step[0] == '*' && check.showingIndex()) {
                        check.windowClosed();
                        EXPECT_TRUE(check.showingIndex() || check.showingLateMinutes() == 0)
                            << "no window, no lateness";
                    }
                    clock.advanceSeconds(step[0] == '+' ? 1 : 10);
                }
            } else if (step[0] == '>')
                clock.advanceSeconds(n);
            else if (step == "tick")
                check.Timer1_Timer();
            else if (step == "ok" || step.starts_with("snooze")) {
                ASSERT_TRUE(check.showingIndex());
                const auto add =
                    scheduler::snoozeFromPress(0, n16, step == "ok" ? 0 : check.showingLateMinutes());
                scheduler::SetSnoozeValue(table, *check.showingIndex(), add.hours, add.minutes, step != "ok");
                check.windowClosed();
            } else if (step == "close")
                check.windowClosed();
            else if (step == "noini" || step == "ini")
                step == "ini" ? folder.write("Data.ini", "")
                              : void(std::filesystem::remove(folder.file("Data.ini")));
            else if (step.starts_with("on") || step.starts_with("off"))
                table.AState[static_cast<std::size_t>(n)] = step[1] == 'n';
            else if (step.starts_with("count"))
                table.ACount = n16;
            else if (step.starts_with("del"))
                remove(n16);
            else
                FAIL() << "unknown step " << step;
        }
    }
    // The offsets, the check's state and the table move down alike.
    void remove(std::int16_t index)
    {
        table.removeOffsetsAt(index);
        check.alarmRemoved(index);
        const auto at = static_cast<std::ptrdiff_t>(index);
        for (auto* texts : {&table.AType, &table.AMemo, &table.ATime, &table.ASound, &table.AStoredTime})
            texts->erase(texts->begin() + at);
        table.AState.erase(table.AState.begin() + at);
        table.AClock.erase(table.AClock.begin() + at);
        --table.ACount;
    }
};

TEST(AlarmCheck, RingsEachOccurrenceOnceAndInTurn)
{
    // Rows {script, alarms, the rings separated by commas}.
    const std::string one = "7:00", two = "7:00 7:00", three = "7:00 7:00 7:00", late = "7:00 7:00 6:59";
    const std::array<std::string, 3> cases[] = {
        // Off (any State but 1), no readable weekday, or no time of day: never rings.
        {"@7/06:00:00 *7200", "7:00/1234567/0 7:00/1234567/2 7:00/1234567/-1 7:00/- 7:00/089x none 7:01",
         "7 Mon 07:01"},
        // One ring per occurrence; a window left open 40 s: the later alarms show after their minute.
        {"@7/06:59:59 +21 snooze0 *86400", one, "1 Mon 07:00,1 Tue 07:00"},
        {"@7/06:59:50 +55 ok +40 ok +40 ok +600", three, "1 Mon 07:00,2 Mon 07:00,3 Mon 07:01"},
        {"@7/07:00:00 tick >20 on2 tick off3 ok ok *600", "7:00 7:00/1234567/0 7:00",
         "1 Mon 07:00,2 Mon 07:00"},
        {"@7/06:59:00 +70 snooze5 +300 snooze5 +300 ok *86400", one,
         "1 Mon 07:00,1 Mon 07:05,1 Mon 07:10,1 Tue 07:00"},
        // Rung unanswered until 7:12: the snooze counts from the press, not from 7:00.
        {"@7/07:00:00 +720 snooze5 +30 ok *600", two, "1 Mon 07:00,2 Mon 07:12,1 Mon 07:17"},
        {"@7/07:00:00 +86430 ok *86400", one, "1 Mon 07:00,1 Wed 07:00"},
        // Summer time ends: 1:00 to 1:59 come round again. Start-up inside or after the due minute.
        {"@7/01:29:00 *300 @7/01:00:00 *3600", "1:30 1:40", "1 Mon 01:30,2 Mon 01:40"},
        {"@7/07:00:59 tick", one, "1 Mon 07:00"},
        {"@7/07:01:00 tick", one, ""},
        // No alarm rings while Data.ini is absent, and its minutes are not caught up later.
        {"@7/06:59:30 tick noini *100 ini *86400", one, "1 Tue 07:00"},
        {"@7/07:00:00 tick noini ok ini >600 tick", two, "1 Mon 07:00,2 Mon 07:10"},
        // A hand-edited Count: what waited for a dropped alarm goes; one above the arrays reads no further.
        {"@7/07:00:00 tick ok count2 >5 tick ok *600", three, "1 Mon 07:00,2 Mon 07:00"},
        {"@7/07:00:00 count0 *600", one, ""},
        {"@7/07:00:00 count5 *600", three, "1 Mon 07:00,2 Mon 07:00,3 Mon 07:00"},
        // Deleted alarms take their occurrences along; the rest move down and do not ring again.
        {"@7/07:00:00 tick del2 del1 >10 tick close ok ok *50", three + " 7:00",
         "1 Mon 07:00,1 Mon 07:00,2 Mon 07:00"},
        {"@7/07:00:00 tick ok del1 snooze5 *600", three, "1 Mon 07:00,2 Mon 07:00,2 Mon 07:00,1 Mon 07:05"},
        {"@7/06:59:50 *20 del1 *30", "6:59 7:00", "1 Mon 06:59,2 Mon 07:00"},
        // Minutes without a tick are caught up up to 120 minutes late, later ones listed in a notice.
        {"@7/06:59:59 *1 >7200 *3", "7:01 7:00 6:59", "3 Mon 06:59,2 Mon 09:00,1 Mon 09:00"},
        {"@7/06:59:59 *1 >7260 *3", late, "3 Mon 06:59,!1,!2"},
        // One that rang before the clock was set back is not missed.
        {"@7/07:00:00 *60 @7/06:30:00 *10 @7/10:00:00 *10", one, "1 Mon 07:00"},
        // Offsets carry into hours and days; the weekday is that of the occurrence before the offset.
        {"@11/23:00:00 ~0:5 *7200", "23:58/6", "1 Sat 00:03"},
        {"@7/06:00:00 ~25:0 *100000", "7:00/2", "1 Tue 08:00"},
        {"@31/23:00:00 ~1:0 *7200", "23:30/5", "1 Fri 00:30"}, // Thursday 31 December, new year
        {"@7/23:00:00 ~0:-20 *3600", "0:10", "1 Mon 23:50"},   // back over midnight
    };
    static_assert(scheduler::AlarmCheck::catchUpMinutes == 120);
    for (const auto& [script, alarms, expected] : cases) {
        Rig rig(alarms);
        rig.play(script);
        EXPECT_EQ(rig.rings, expected) << script;
    }
}

} // namespace
