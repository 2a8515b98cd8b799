// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's icon, as the program draws it, into <folder>/<size>/<name>.png for each size, for
// the desktop's icon theme.
#include "ui/main/AppIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <folder> <name> <size>...\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString sizeFolder = folder + '/' + QString::number(size);
        const QString file = sizeFolder + '/' + name + ".png";
        if (size <= 0 || !QDir().mkpath(sizeFolder) || !mainwin::drawAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
