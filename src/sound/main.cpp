// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundHelper.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

int main(int argc, char* argv[])
{
    // The program hands over its end of the socket as descriptor 3; run by hand, there is nothing to serve.
    if (fcntl(soundhelper::SoundHelper::socketFd, F_GETFD) == -1) {
        std::fprintf(stderr, "wakery-sound: the sound helper of wakery, started by it only\n");
        return 2;
    }
    // Qt 6.4's GStreamer back end falls silent after a pass or two of a looping sound; the FFmpeg one,
    // in the same package, loops without a gap. A choice the user made is kept.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QCoreApplication app(argc, argv);
    soundhelper::SoundHelper helper;
    const int status = QCoreApplication::exec();
    // Qt 6.4's FFmpeg back end can hang tearing down a player whose device went away, and nothing here
    // needs tearing down: the sound server drops the stream with the process.
    std::fflush(nullptr);
    std::_Exit(status);
}
