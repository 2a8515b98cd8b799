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

namespace {

// Records each hand-over as "index weekday hh:mm" of the clock (December 2026: the 7th is a Monday), and
// each alarm of a missed notice as "!index".
struct Rig : scheduler::AlarmWindow, scheduler::MissedAlarmNotice
{
    explicit Rig(const std::vector<std::string>& alarms) : table(tableOf(alarms))
    {
        folder.write("Data.ini", "");
        check.setMissedNotice(this);
    }
    void showMissed(const std::vector<scheduler::MissedAlarm>& missed) override
    {
        for (const auto& alarm : missed)
            rings.push_back("!" + std::to_string(alarm.index));
    }
    void showAlarm(std::int16_t index, const std::string&, const std::string&) override
    {
        static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        const platform::LocalDateTime now = clock.now();
        char text[32];
        std::snprintf(text, sizeof text, "%d %s %02d:%02d", index,
                      names[(now.day + (now.month == 1 ? 32 : 1)) % 7], now.hour, now.minute);
        rings.push_back(text);
    }
    fakes::TempFolder folder;
    fakes::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable table;
    std::vector<std::string> rings;
    scheduler::AlarmCheck check{clock, files, table, *this};

    // One step: "@D/hh:mm:ss" sets the clock to that day of December 2026, "~H:M" sets
    // alarm 1's offsets, "+N" ticks every second for N s leaving windows open, "*N" ticks every 10 s closing
    // each window at once, ">N" moves the clock N s without a tick, "tick", "ok" and "snoozeM" as the window
    // does them, "close" (closed, offsets untouched), "noini"/"ini" (Data.ini deleted/written), "onI"/"offI",
    // "countN" (Count hand-edited), "delI" (deleted as the main window does it).
    void play(const std::string& step)
    {
        const auto digits = step.find_first_of("0123456789");
        const int n = digits == std::string::npos ? 0 : std::atoi(step.c_str() + digits);
        const auto n16 = static_cast<std::int16_t>(n);
        int d = 0, h = 0, m = 0, s = 0;
        if (std::sscanf(step.c_str(), "@%d/%d:%d:%d", &d, &h, &m, &s) == 4)
            clock.set(2026, 12, d, h, m, s);
        else if (std::sscanf(step.c_str(), "~%d:%d", &h, &m) == 2)
            scheduler::SetSnoozeValue(table, 1, static_cast<std::int16_t>(h), static_cast<std::int16_t>(m));
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

// Alarms as in tableOf; steps as in Rig::play; each ring "index weekday hh:mm", a notice's "!index".
struct Case
{
    const char* name;
    std::vector<std::string> alarms, script, rings;
};
const Case cases[] = {
    {.name = "off, no readable weekday or no time: never rings",
     .alarms = {"7:00/1234567/0", "7:00/1234567/2", "7:00/1234567/-1", "7:00/-", "7:00/089x", "none", "7:01"},
     .script = {"@7/06:00:00", "*7200"},
     .rings = {"7 Mon 07:01"}},
    {.name = "one ring per occurrence",
     .alarms = {"7:00"},
     .script = {"@7/06:59:59", "+21", "snooze0", "*86400"},
     .rings = {"1 Mon 07:00", "1 Tue 07:00"}},
    {.name = "a window left open 40 s: the later alarms show after their minute",
     .alarms = {"7:00", "7:00", "7:00"},
     .script = {"@7/06:59:50", "+55", "ok", "+40", "ok", "+40", "ok", "+600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:01"}},
    {.name = "switched on and off while waiting",
     .alarms = {"7:00", "7:00/1234567/0", "7:00"},
     .script = {"@7/07:00:00", "tick", ">20", "on2", "tick", "off3", "ok", "ok", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00"}},
    {.name = "snoozed twice, then OK",
     .alarms = {"7:00"},
     .script = {"@7/06:59:00", "+70", "snooze5", "+300", "snooze5", "+300", "ok", "*86400"},
     .rings = {"1 Mon 07:00", "1 Mon 07:05", "1 Mon 07:10", "1 Tue 07:00"}},
    {.name = "rung unanswered until 7:12: the snooze counts from the press",
     .alarms = {"7:00", "7:00"},
     .script = {"@7/07:00:00", "+720", "snooze5", "+30", "ok", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:12", "1 Mon 07:17"}},
    {.name = "a window left open a day",
     .alarms = {"7:00"},
     .script = {"@7/07:00:00", "+86430", "ok", "*86400"},
     .rings = {"1 Mon 07:00", "1 Wed 07:00"}},
    {.name = "summer time ends: 1:00 to 1:59 come round again",
     .alarms = {"1:30", "1:40"},
     .script = {"@7/01:29:00", "*300", "@7/01:00:00", "*3600"},
     .rings = {"1 Mon 01:30", "2 Mon 01:40"}},
    {.name = "start-up inside the due minute",
     .alarms = {"7:00"},
     .script = {"@7/07:00:59", "tick"},
     .rings = {"1 Mon 07:00"}},
    {.name = "start-up after the due minute",
     .alarms = {"7:00"},
     .script = {"@7/07:01:00", "tick"},
     .rings = {}},
    {.name = "no ring while Data.ini is absent, no catching up later",
     .alarms = {"7:00"},
     .script = {"@7/06:59:30", "tick", "noini", "*100", "ini", "*86400"},
     .rings = {"1 Tue 07:00"}},
    {.name = "Data.ini gone while a window is open",
     .alarms = {"7:00", "7:00"},
     .script = {"@7/07:00:00", "tick", "noini", "ok", "ini", ">600", "tick"},
     .rings = {"1 Mon 07:00", "2 Mon 07:10"}},
    {.name = "a hand-edited Count drops what waited for the alarms beyond it",
     .alarms = {"7:00", "7:00", "7:00"},
     .script = {"@7/07:00:00", "tick", "ok", "count2", ">5", "tick", "ok", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00"}},
    {.name = "Count 0", .alarms = {"7:00"}, .script = {"@7/07:00:00", "count0", "*600"}, .rings = {}},
    {.name = "a Count above the arrays reads no further",
     .alarms = {"7:00", "7:00", "7:00"},
     .script = {"@7/07:00:00", "count5", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00", "3 Mon 07:00"}},
    {.name = "deleted alarms take their occurrences along",
     .alarms = {"7:00", "7:00", "7:00", "7:00"},
     .script = {"@7/07:00:00", "tick", "del2", "del1", ">10", "tick", "close", "ok", "ok", "*50"},
     .rings = {"1 Mon 07:00", "1 Mon 07:00", "2 Mon 07:00"}},
    {.name = "the rest move down and do not ring again",
     .alarms = {"7:00", "7:00", "7:00"},
     .script = {"@7/07:00:00", "tick", "ok", "del1", "snooze5", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00", "2 Mon 07:00", "1 Mon 07:05"}},
    {.name = "deleting the alarm rung before the next",
     .alarms = {"6:59", "7:00"},
     .script = {"@7/06:59:50", "*20", "del1", "*30"},
     .rings = {"1 Mon 06:59", "2 Mon 07:00"}},
    {.name = "up to 120 minutes late rings",
     .alarms = {"7:01", "7:00", "6:59"},
     .script = {"@7/06:59:59", "*1", ">7200", "*3"},
     .rings = {"3 Mon 06:59", "2 Mon 09:00", "1 Mon 09:00"}},
    {.name = "later is listed in a notice",
     .alarms = {"7:00", "7:00", "6:59"},
     .script = {"@7/06:59:59", "*1", ">7260", "*3"},
     .rings = {"3 Mon 06:59", "!1", "!2"}},
    {.name = "one that rang before the clock was set back is not missed",
     .alarms = {"7:00"},
     .script = {"@7/07:00:00", "*60", "@7/06:30:00", "*10", "@7/10:00:00", "*10"},
     .rings = {"1 Mon 07:00"}},
    {.name = "offsets carry into hours and days",
     .alarms = {"23:58/6"},
     .script = {"@11/23:00:00", "~0:5", "*7200"},
     .rings = {"1 Sat 00:03"}},
    {.name = "the weekday is that of the occurrence before the offset",
     .alarms = {"7:00/2"},
     .script = {"@7/06:00:00", "~25:0", "*100000"},
     .rings = {"1 Tue 08:00"}},
    {.name = "Thursday 31 December, new year",
     .alarms = {"23:30/5"},
     .script = {"@31/23:00:00", "~1:0", "*7200"},
     .rings = {"1 Fri 00:30"}},
    {.name = "back over midnight",
     .alarms = {"0:10"},
     .script = {"@7/23:00:00", "~0:-20", "*3600"},
     .rings = {"1 Mon 23:50"}},
};

TEST(AlarmCheck, RingsEachOccurrenceOnceAndInTurn)
{
    static_assert(scheduler::AlarmCheck::catchUpMinutes == 120);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.alarms);
        for (const std::string& step : c.script)
            rig.play(step);
        EXPECT_EQ(rig.rings, c.rings);
    }
}

} // namespace
