// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QWidget>

namespace platform {
class Dialogs;
}

namespace mainwin {

class TrayIcon;

// Where the main window goes when it is not in use, and how the program ends. With a notification area
// the window hides into it (at start, on minimise, on every close) and comes back from the icon; the
// program ends only through the icon's Exit. A desktop without one (or one that loses it) would leave a
// hidden window nobody can reach, so the window stays minimised on the task bar instead, and closing it
// offers to end the program.
class TrayLifecycle : public QObject
{
    Q_OBJECT
public:
    TrayLifecycle(QWidget& window, TrayIcon& tray, platform::Dialogs& dialogs, QObject* parent = nullptr);

    // After the start-up load: adds the icon and puts the window away.
    void start();
    // Normal state, shown and in front.
    void restore();
    // The window has just been minimised.
    void minimised();
    // Someone asked to close the window. True only when the program is to end (the session is ending, or
    // there is no notification area and the user confirmed); the window has been put away otherwise.
    bool closeRequested();
    // The session is ending (logout): from now on a close ends the program without asking anything.
    void sessionEnding() { m_sessionEnding = true; }
    // Removes the icon and asks for the end of the program.
    void exit();

    static constexpr const char* endQuestion =
        "There is no notification area to keep Wakery in. End Wakery now? Alarms will not ring until it is "
        "started again.";

signals:
    // The program is to end at once.
    void exitRequested();
    // Restore found the window already on screen, so no show event tells the window it was asked for.
    void restoredInSight();

private:
    void putAway();
    void trayAvailabilityChanged(bool available);
    bool m_sessionEnding = false;
    bool m_parked = false; // put on the task bar for lack of a notification area, not opened by the user

    QWidget& m_window;
    TrayIcon& m_tray;
    platform::Dialogs& m_dialogs;
};

} // namespace mainwin
