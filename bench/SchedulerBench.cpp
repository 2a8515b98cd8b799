// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/FakeClock.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "scheduler/AlarmCheck.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

class CountingWindow : public scheduler::AlarmWindow
{
public:
    void showAlarm(std::int16_t, const std::string&, const std::string&) override { ++shown; }
    int shown = 0;
};

// count switched-on alarms on every day; spread over the day, or all at 12:00 for the worst case.
store::AlarmTable switchedOnAlarms(int count, bool allAtNoon)
{
    store::AlarmTable table;
    const auto size = static_cast<std::size_t>(count) + 1;
    table.ACount = static_cast<std::int16_t>(count);
    table.AType.assign(size, "1234567");
    table.AMemo.assign(size, "Alarm memo");
    table.ATime.assign(size, "12:00:00 PM");
    table.ASound.assign(size, "");
    table.AState.assign(size, 1);
    table.ASnoozeH.assign(size, 0);
    table.ASnoozeM.assign(size, 0);
    table.AStoredTime.assign(size, "12:00");
    table.AClock.resize(size);
    for (std::size_t i = 1; i < size; ++i) {
        const int minuteOfDay = allAtNoon ? 12 * 60 : static_cast<int>(i * 7 % (24 * 60));
        table.AClock[i] = {true, minuteOfDay / 60, minuteOfDay % 60};
    }
    return table;
}

// The steady tick: Data.ini exists, the clock stands inside a minute whose due alarms were already taken
// (one shows, the rest wait), as on every tick but the first of a minute.
void tick(benchmark::State& state, bool allAtNoon)
{
    fakes::TempFolder folder;
    folder.write("Data.ini", "[Alarm]\r\nCount=0\r\n");
    const fakes::StdFiles files(folder.path());
    fakes::FakeClock clock;
    clock.set(2026, 12, 7, 12, 0, 30);
    const store::AlarmTable table = switchedOnAlarms(static_cast<int>(state.range(0)), allAtNoon);
    CountingWindow window;
    scheduler::AlarmCheck check(clock, files, table, window);
    check.Timer1_Timer();
    for (auto _ : state)
        check.Timer1_Timer();
    state.counters["waiting"] = static_cast<double>(check.waitingCount());
}

void BM_AlarmCheckTick(benchmark::State& state)
{
    tick(state, false);
}
void BM_AlarmCheckTickAllDue(benchmark::State& state)
{
    tick(state, true);
}

} // namespace

BENCHMARK(BM_AlarmCheckTick)->Arg(10)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlarmCheckTickAllDue)->Arg(32767)->Unit(benchmark::kMicrosecond);
