#include "platform/Services.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtLocaleTime.h"
#include "platform/qt/QtSoundPlayer.h"
#include "ui/main/Form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    const std::string missing = platform::missingDisplayMessage(argc > 0 ? argv[0] : "wakery");
    if (!missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    // Qt 6.4's GStreamer back end falls silent after a pass or two of a looping sound; the FFmpeg one,
    // in the same package, loops without a gap. A choice the user made is kept.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");

    QApplication app(argc, argv);
    // The program lives on with every window hidden; closing a notification must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::QtClock clock;
    platform::QtLocaleTime localeTime;
    platform::QtFiles files;
    platform::QtDialogs dialogs;
    platform::QtFileDialog fileDialog;
    platform::QtSoundPlayerFactory sounds;
    platform::Services services{clock, localeTime, files, dialogs, fileDialog, sounds};

    Form1 form(services);
    form.Form_Load();
    return QApplication::exec();
}
