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
    explicit Rig(const std::vector<std::string>& alarms) : specs(alarms), table(tableOf(alarms))
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
        std::snprintf(text, sizeof text, "%d %s %02d:%02d", index, names[(now.day + 1) % 7], now.hour,
                      now.minute);
        rings.push_back(text);
    }
    std::vector<std::string> specs;
    fakes::TempFolder folder;
    fakes::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    store::AlarmTable table;
    std::vector<std::string> rings;
    scheduler::AlarmCheck check{clock, files, table, *this};

    // One step: "@D/hh:mm:ss" sets the clock to that day of December 2026, "+N" ticks every second for N s
    // leaving windows open, "*N" ticks every 10 s closing each window at once, ">N" moves the clock N s
    // without a tick, "tick", "ok" and "snoozeM" as the window does them, "noini"/"ini" (Data.ini
    // deleted/written), "countN" (Count hand-edited), "delN" (alarm N deleted).
    void play(const std::string& step)
    {
        const auto digits = step.find_first_of("0123456789");
        const int n = digits == std::string::npos ? 0 : std::atoi(step.c_str() + digits);
        const auto n16 = static_cast<std::int16_t>(n);
        int d = 0, h = 0, m = 0, s = 0;
        if (std::sscanf(step.c_str(), "@%d/%d:%d:%d", &d, &h, &m, &s) == 4)
            clock.set(2026, 12, d, h, m, s);
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
        } else if (step == "noini" || step == "ini")
            step == "ini" ? folder.write("Data.ini", "")
                          : void(std::filesystem::remove(folder.file("Data.ini")));
        else if (step.starts_with("count"))
            table.ACount = n16;
        else if (step.starts_with("del")) {
            specs.erase(specs.begin() + n - 1);
            table = tableOf(specs);
            check.alarmRemoved(n16);
        } else
            FAIL() << "unknown step " << step;
    }
};

// Alarms as in tableOf; steps as in Rig::play; each ring "index weekday hh:mm", a notice's "!index".
struct Case
{
    const char* name;
    std::vector<std::string> alarms, script, rings;
};
const Case cases[] = {
    {.name = "snoozed twice, then OK",
     .alarms = {"7:00"},
     .script = {"@7/06:59:00", "+70", "snooze5", "+300", "snooze5", "+300", "ok", "*86400"},
     .rings = {"1 Mon 07:00", "1 Mon 07:05", "1 Mon 07:10", "1 Tue 07:00"}},
    {.name = "summer time ends: 1:00 to 1:59 come round again",
     .alarms = {"1:30", "1:40"},
     .script = {"@7/01:29:00", "*300", "@7/01:00:00", "*3600"},
     .rings = {"1 Mon 01:30", "2 Mon 01:40"}},
    {.name = "no ring while Data.ini is absent, no catching up later",
     .alarms = {"7:00"},
     .script = {"@7/06:59:30", "tick", "noini", "*100", "ini", "*86400"},
     .rings = {"1 Tue 07:00"}},
    {.name = "a hand-edited Count drops what waited for the alarms beyond it",
     .alarms = {"7:00", "7:00", "7:00"},
     .script = {"@7/07:00:00", "tick", "ok", "count2", ">5", "tick", "ok", "*600"},
     .rings = {"1 Mon 07:00", "2 Mon 07:00"}},
    {.name = "Count 0", .alarms = {"7:00"}, .script = {"@7/07:00:00", "count0", "*600"}, .rings = {}},
    {.name = "caught up after a sleep in the order they were due",
     .alarms = {"7:02", "7:01"},
     .script = {"@7/07:00:30", "tick", ">180", "tick", "ok"},
     .rings = {"2 Mon 07:03", "1 Mon 07:03"}},
    {.name = "later is listed in a notice, what is still in time rings",
     .alarms = {"7:00", "7:00", "6:59", "8:58"},
     .script = {"@7/06:59:59", "*1", ">7260", "*3"},
     .rings = {"3 Mon 06:59", "4 Mon 09:01", "!1", "!2"}},
    {.name = "an alarm deleted: the one after it keeps the ring it took",
     .alarms = {"7:00", "7:01"},
     .script = {"@7/06:59:30", "*100", "del1", "*60"},
     .rings = {"1 Mon 07:00", "2 Mon 07:01"}},
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
