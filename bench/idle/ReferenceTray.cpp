// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for an idle tray program with Qt 6 on this machine: an icon with a one-item menu and a timer
// armed for each minute start by the wall clock, nothing else. bench/idle_floor.py measures it beside
// the program.
#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pixmap)};
    QMenu menu;
    menu.addAction(QStringLiteral("Exit"), &app, &QCoreApplication::quit);
    icon.setContextMenu(&menu);
    icon.setToolTip(QStringLiteral("reference"));

    QTimer minute;
    minute.setSingleShot(true);
    minute.setTimerType(Qt::PreciseTimer);
    const auto arm = [&minute] {
        minute.start(static_cast<int>(60000 - QDateTime::currentMSecsSinceEpoch() % 60000));
    };
    QObject::connect(&minute, &QTimer::timeout, arm);
    arm();
    icon.show();
    return QApplication::exec();
}
