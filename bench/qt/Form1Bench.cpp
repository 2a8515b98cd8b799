// SPDX-License-Identifier: GPL-3.0-or-later
// Form_Activate as the user meets it: the whole load from Data.ini and the rebuild of the list, with the
// real locale conversion, under the offscreen platform.
#include "ui/main/Form1.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileDialog.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "platform/Services.h"
#include "platform/qt/QtLocaleTime.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "wakery_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// count alarms spread over the day and the week, as a long-used file might hold them.
std::string dataIni(int count)
{
    static const char* const daySets[] = {"1234567", "23456", "17", "246", "3", "1"};
    std::string text = "[Alarm]\r\nCount=" + std::to_string(count) + "\r\nDSnooze=00:05\r\n";
    for (int i = 1; i <= count; ++i) {
        const int minuteOfDay = (i * 37) % 1440;
        const int hour = minuteOfDay / 60;
        const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
        char time[16];
        std::snprintf(time, sizeof time, "%d:%02d %s", hour12, minuteOfDay % 60, hour < 12 ? "AM" : "PM");
        text += "[Alarm" + std::to_string(i) + "]\r\nState=" + (i % 3 == 0 ? "0" : "1") +
                "\r\nType=" + daySets[i % 6] + "\r\nTime=" + time + "\r\nMemo=Reminder number " +
                std::to_string(i) + " for the day\r\nSound=\r\n";
    }
    return text;
}

void FormActivate(benchmark::State& state)
{
    application();
    const int count = static_cast<int>(state.range(0));
    fakes::TempFolder folder;
    folder.write("Data.ini", dataIni(count));
    fakes::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    platform::QtLocaleTime locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    fakes::FakeDialogs dialogs;
    fakes::FakeFileDialog fileDialog;
    fakes::FakeSoundPlayerFactory sounds;
    platform::Services services{clock, locale, files, dialogs, fileDialog, sounds};
    Form1 form(services, nullptr, [] { return false; });
    auto* list = form.findChild<QTreeWidget*>("ListView1");

    for (auto _ : state) {
        form.Form_Activate();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
    if (list->topLevelItemCount() != count)
        state.SkipWithError("the list does not hold every alarm");
    state.SetLabel(std::to_string(count) + " alarms");
}

BENCHMARK(FormActivate)->Arg(10)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace
