// SPDX-License-Identifier: GPL-3.0-or-later
// Alarm store: the load of the whole table and one write into a large file.
#include "fakes/FakeLocaleTime.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "store/AlarmLoad.h"
#include "store/ini.h"

#ifdef WAKERY_BENCH_QT
#include "platform/qt/QtLocaleTime.h"
#endif

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>

namespace {

// A file as the editor writes it: Count first, then five keys per alarm, times in the editor's own form.
std::string alarmFile(int count)
{
    std::string text = "[Alarm]\r\nCount=" + std::to_string(count) + "\r\nDSnooze=00:05\r\n";
    for (int i = 1; i <= count; ++i) {
        text += "[Alarm" + std::to_string(i) + "]\r\nState=" + std::to_string(i % 2) + "\r\nType=23456\r\n";
        text += "Time=" + std::to_string(i % 12 + 1) + ":" + (i % 60 < 10 ? "0" : "") +
                std::to_string(i % 60) + (i / 60 % 2 ? " PM" : " AM") + "\r\n";
        text += "Memo=Reminder number " + std::to_string(i) + ": take the tea off the stove\r\n";
        text += "Sound=" + std::string(i % 3 ? "" : "/home/user/Music/alarm.wav") + "\r\n";
    }
    return text;
}

// One folder per size, kept for the whole run; its Data.ini is written once.
const fakes::TempFolder& folderWith(int count)
{
    static std::map<int, std::unique_ptr<fakes::TempFolder>> folders;
    auto& folder = folders[count];
    if (!folder) {
        folder = std::make_unique<fakes::TempFolder>();
        folder->write("Data.ini", alarmFile(count));
    }
    return *folder;
}

template <typename LocaleTime> void loadTable(benchmark::State& state, const LocaleTime& localeTime)
{
    const int count = static_cast<int>(state.range(0));
    const auto& folder = folderWith(count);
    const fakes::StdFiles files(folder.path());
    const std::string path = platform::dataIniPath(files);
    for (auto _ : state) {
        store::AlarmTable table;
        benchmark::DoNotOptimize(store::loadAlarmTable(table, path, files, localeTime));
        if (table.ACount != count)
            state.SkipWithError("wrong count");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_LoadAlarmTable(benchmark::State& state)
{
    loadTable(state, fakes::FakeLocaleTime());
}
BENCHMARK(BM_LoadAlarmTable)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

#ifdef WAKERY_BENCH_QT
// The program's own conversion: Qt's en_US locale.
void BM_LoadAlarmTableQtLocale(benchmark::State& state)
{
    loadTable(state, platform::QtLocaleTime(QLocale(QStringLiteral("en_US"))));
}
BENCHMARK(BM_LoadAlarmTableQtLocale)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
#endif

// One key changed in the largest file: read, parse, rebuild, write the temporary file, sync, rename.
void BM_WriteIniInto32767(benchmark::State& state)
{
    const auto& folder = folderWith(32767);
    const std::string path = folder.file("Data.ini");
    int round = 0;
    for (auto _ : state) {
        // A different value every time, or the write would leave the file alone.
        if (!ini::WriteIni(path, "Alarm16384", "Memo", "changed " + std::to_string(++round)))
            state.SkipWithError("write failed");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_WriteIniInto32767)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// A single ReadIni goes to the file and parses all of it.
void BM_ReadIniFrom32767(benchmark::State& state)
{
    const std::string path = folderWith(32767).file("Data.ini");
    for (auto _ : state)
        benchmark::DoNotOptimize(ini::ReadIni(path, "Alarm32767", "Memo", ""));
}
BENCHMARK(BM_ReadIniFrom32767)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The largest command: deleting the first of 32,767 alarms moves every other one down, 163,831 keys in
// one replacement of the file.
void BM_DeleteFirstOf32767(benchmark::State& state)
{
    fakes::TempFolder folder;
    const std::string original = alarmFile(32767);
    std::vector<ini::KeyWrite> writes{{"Alarm", "Count", "32766"}};
    for (int i = 1; i < 32767; ++i) {
        const std::string section = "Alarm" + std::to_string(i);
        const std::string from = "Alarm" + std::to_string(i + 1);
        for (const char* key : {"State", "Type", "Memo", "Time", "Sound"})
            writes.push_back({section, key, ini::ReadIni(folderWith(32767).file("Data.ini"), from, key, "")});
        if (i == 200)
            break; // reading the values key by key is the slow part of setting up; the rest is alike
    }
    for (int i = 201; i < 32767; ++i) {
        const std::string section = "Alarm" + std::to_string(i);
        for (const char* key : {"State", "Type", "Memo", "Time", "Sound"})
            writes.push_back({section, key, std::string(key) + " of " + std::to_string(i + 1)});
    }
    for (auto _ : state) {
        state.PauseTiming();
        folder.write("Data.ini", original);
        state.ResumeTiming();
        if (!ini::WriteIniKeys(folder.file("Data.ini"), writes))
            state.SkipWithError("write failed");
    }
    state.counters["keys"] = static_cast<double>(writes.size());
}
BENCHMARK(BM_DeleteFirstOf32767)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
