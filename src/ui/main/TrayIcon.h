// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/TrayAreaWatch.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <memory>

namespace platform {
class Autostart;
class Dialogs;
} // namespace platform

namespace mainwin {

// The notification-area icon with the tip "Wakery" and the next alarm, and its menu "&Restore" /
// "Ring &in..." / "&Pause alarms until..." or "Res&ume alarms" / "Start at &login" / "&Exit".
// Left click and double click ask for the main window; right click opens the menu at the mouse (the
// platform does that); every other event on the icon does nothing. Desktops gain and lose their
// notification area (a panel restarts or starts after the program, a session has none), so its presence
// is watched and reported. Qt's own tray icon is made only once a notification area is there: Qt picks
// between the D-Bus and the XEmbed tray when the icon is made, and keeps that choice.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    using Availability = std::function<bool()>;
    // available is asked whether a notification area exists; without it the desktop is asked. Tests pass
    // their own.
    explicit TrayIcon(const QIcon& icon, const QIcon& pausedIcon, Availability available = {},
                      QObject* parent = nullptr);
    ~TrayIcon() override;

    // Puts the icon into the notification area, now or as soon as one appears.
    void add();
    // Takes the icon away for good.
    void remove();
    // Whether a notification area was there at the last look.
    bool isAvailable() const { return m_available; }
    // Whether the icon is meant to be in the notification area (between add and remove).
    bool isAdded() const { return m_added; }

    // Wires "Start at login" to the autostart setting; failed changes are reported through dialogs.
    // Without it the item is disabled.
    void setStartAtLogin(platform::Autostart* autostart, platform::Dialogs* dialogs);

    // The tip's text, and the icon with or without the pause badge; both hold until changed.
    void setTip(const QString& tip);
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    QString tip() const { return m_tip; }

    QAction* restoreAction() const { return m_restore; }
    QAction* ringInAction() const { return m_ringIn; }
    QAction* pauseAction() const { return m_pause; }
    QAction* resumeAction() const { return m_resume; }
    QAction* startAtLoginAction() const { return m_startAtLogin; }
    QAction* exitAction() const { return m_exit; }
    // The mark of "Start at login" read afresh: the desktop's own settings may have changed it.
    void refreshStartAtLogin();

    // Where the platform does not report the notification area coming and going, it is looked for at
    // this interval while the icon is added.
    static constexpr int availabilityCheckMs = 2000;

public slots:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void checkAvailability();

signals:
    void restoreRequested();
    void ringInRequested();
    void pauseRequested();
    void resumeRequested();
    void exitRequested();
    void availabilityChanged(bool available);

private:
    void showIcon();
    void startAtLoginTriggered(bool checked);

    Availability m_isAvailable;
    bool m_available = false;
    bool m_added = false;
    QIcon m_image;
    QIcon m_pausedImage;
    bool m_paused = false;
    QString m_tip = QStringLiteral("Wakery");
    QMenu m_menu;
    QAction* m_restore = nullptr;
    QAction* m_ringIn = nullptr;
    QAction* m_pause = nullptr;
    QAction* m_resume = nullptr;
    QAction* m_startAtLogin = nullptr;
    QAction* m_exit = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QTimer m_watch;
    platform::TrayAreaWatch m_platformWatch;
    platform::Autostart* m_autostart = nullptr;
    platform::Dialogs* m_dialogs = nullptr;
};

} // namespace mainwin
