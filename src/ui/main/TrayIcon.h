#pragma once

#include "platform/qt/TrayAreaWatch.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

namespace mainwin {

// The notification-area icon with the tip "Wakery" and its menu "&Restore" / "&Exit". Left click and
// double click ask for the main window; right click opens the menu at the mouse (the platform does that);
// every other event on the icon does nothing. Desktops gain and lose their notification area (a panel
// restarts, a session has none), so its presence is watched and reported.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    using Availability = std::function<bool()>;
    // available is asked whether a notification area exists; tests pass their own.
    explicit TrayIcon(const QIcon& icon, Availability available = &QSystemTrayIcon::isSystemTrayAvailable,
                      QObject* parent = nullptr);

    // Puts the icon into the notification area, now or as soon as one appears.
    void add();
    // Takes the icon away for good.
    void remove();
    // Whether a notification area was there at the last look.
    bool isAvailable() const { return m_available; }
    // Whether the icon is meant to be in the notification area (between add and remove).
    bool isAdded() const { return m_added; }

    QAction* restoreAction() const { return m_restore; }
    QAction* exitAction() const { return m_exit; }

    // Where the platform does not report the notification area coming and going, it is looked for at
    // this interval while the icon is added.
    static constexpr int availabilityCheckMs = 2000;

public slots:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void checkAvailability();

signals:
    void restoreRequested();
    void exitRequested();
    void availabilityChanged(bool available);

private:
    Availability m_isAvailable;
    bool m_available = false;
    bool m_added = false;
    QMenu m_menu;
    QAction* m_restore = nullptr;
    QAction* m_exit = nullptr;
    QSystemTrayIcon m_icon;
    QTimer m_watch;
    platform::TrayAreaWatch m_platformWatch;
};

} // namespace mainwin
