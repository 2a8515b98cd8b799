// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppLayout.h"
#include "platform/AtomicFile.h"
#include "platform/Autostart.h"
#include "platform/Memory.h"
#include "platform/Services.h"
#include "platform/UserFolders.h"
#include "platform/qt/DBusRingNotices.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/EndSignals.h"
#include "platform/qt/HelperSoundPlayerFactory.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtLocaleTime.h"
#include "platform/qt/ResumeWatch.h"
#include "platform/qt/SingleInstance.h"
#include "ui/main/AlarmWake.h"
#include "ui/main/AppIcon.h"
#include "ui/main/CheckTimer.h"
#include "ui/main/Form1.h"
#ifdef __linux__
#include "platform/linux/AlarmWakeTimer.h"
#include "platform/linux/HelperWakeTimer.h"
#include "platform/linux/TimerFdMinuteTimer.h"
#endif

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <memory>

namespace {

// Where an installed program finds its files, relative to its own folder; the build fills these in.
platform::AppLayout programLayout(const platform::QtFiles& here)
{
    const platform::InstallDirs installed{WAKERY_INSTALLED_DATA_DIR, WAKERY_INSTALLED_HELPER_DIR,
                                          WAKERY_HELPER_FILE};
    return platform::resolveLayout(here.programFolder(), installed, platform::userConfigHome(),
                                   [&here](const std::string& path) { return here.plainFileExists(path); });
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string missing = platform::missingDisplayMessage(argc > 0 ? argv[0] : "wakery");
    if (!missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    // The program lives on with every window hidden; closing a notification or the editor must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(mainwin::appIcon());

    const platform::AppLayout layout = programLayout(platform::QtFiles());
    // An installed program keeps Data.ini in the user's configuration folder, which a new account may not
    // have yet. When it cannot be made, the first save says so and nothing is lost.
    if (!layout.portable)
        platform::makeFolders(layout.dataFolder);
    platform::QtFiles files(layout);
    // A second copy would ring every alarm twice and write Data.ini against the first: it only shows the
    // running copy's window. Copies that share Data.ini are the same program.
    platform::SingleInstance instance(QString::fromStdString(files.dataFolder()));
    const bool first = instance.claim();
    if (!instance.note().isEmpty())
        std::fprintf(stderr, "wakery: %s\n", qPrintable(instance.note()));
    if (!first) {
        std::fprintf(stderr, "wakery: already running; its window is shown instead\n");
        return 0;
    }

    platform::QtClock clock;
    platform::QtLocaleTime localeTime;
    platform::QtDialogs dialogs;
    platform::QtFileDialog fileDialog;
    platform::HelperSoundPlayerFactory sounds(layout.soundHelper, std::cerr);
    platform::Services services{clock, localeTime, files, dialogs, fileDialog, sounds};

    platform::AutostartFile autostart(platform::autostartFilePath(platform::userConfigHome()),
                                      QCoreApplication::applicationFilePath().toStdString());

    // Declared before the window, which holds the notifications it sends.
    platform::DBusRingNotices ringNotices;
    Form1 form(services, nullptr, {}, Form1::Controls::WhenFirstShown);
    form.alarmWindow().setRingNotices(&ringNotices);
    form.trayIcon().setStartAtLogin(&autostart, &dialogs);
    QObject::connect(&instance, &platform::SingleInstance::showRequested, &form, &Form1::mPopRestore_Click);
    // Exit ends the program at once: open windows are left as they are, nothing runs their closing steps,
    // and every change has long been written.
    QObject::connect(&form, &Form1::programEnd, &app, [] { QCoreApplication::exit(0); });
    // A session or service manager ends the program with a signal: it ends as through Exit, status 0,
    // with its socket file gone. At logout nothing may ask a question that holds the session up.
    platform::EndSignals endSignals;
    QObject::connect(&endSignals, &platform::EndSignals::endRequested, &form, &Form1::mPopExit_Click);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form] { form.sessionEnding(); });
    // After a sleep the check runs at once rather than at the next minute start.
    platform::ResumeWatch resume;
    QObject::connect(&resume, &platform::ResumeWatch::resumed, form.Timer1, &CheckTimer::runNow);
#ifdef __linux__
    if (auto minuteTimer = platform::TimerFdMinuteTimer::create())
        form.Timer1->setMinuteTimer(std::move(minuteTimer));
    // Without CAP_WAKE_ALARM (Debian 12's desktop sessions) the wake helper keeps the timer, where the
    // package gave it that capability.
    platform::AlarmWakeTimer ownWake;
    std::unique_ptr<platform::HelperWakeTimer> helperWake;
    platform::WakeTimer* wake = &ownWake;
    if (ownWake.refusedPermission())
        wake = (helperWake = std::make_unique<platform::HelperWakeTimer>(layout.wakeHelper)).get();
    AlarmWake alarmWake(*form.Timer1, form.alarmTable(), clock, *wake);
    QObject::connect(&alarmWake, &AlarmWake::statusChanged, &form, &Form1::setWakeStatus);
    form.setWakeStatus(wake->status());
#endif
    form.Form_Load();
    // What start-up and each reload built and dropped again (the parsed Data.ini, the icon's drawing) goes
    // back to the system at the next check, rather than idling with the program for hours.
    QObject::connect(form.Timer1, &CheckTimer::timeout, [] { platform::releaseFreeMemory(); });
    return QApplication::exec();
}
