// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayLifecycle.h"

#include "TrayIcon.h"
#include "platform/Dialogs.h"
#include "ui/window/WindowLook.h"

#include <QTimer>

namespace mainwin {

TrayLifecycle::TrayLifecycle(QWidget& window, TrayIcon& tray, platform::Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_window(window), m_tray(tray), m_dialogs(dialogs)
{
    connect(&m_tray, &TrayIcon::restoreRequested, this, &TrayLifecycle::restore);
    connect(&m_tray, &TrayIcon::exitRequested, this, &TrayLifecycle::exit);
    connect(&m_tray, &TrayIcon::availabilityChanged, this, &TrayLifecycle::trayAvailabilityChanged);
}

void TrayLifecycle::start()
{
    m_tray.add();
    putAway();
}

void TrayLifecycle::restore()
{
    const bool inSight = m_window.isVisible() && !m_window.isMinimized();
    m_parked = false;
    ui::bringToFront(m_window);
    if (inSight)
        emit restoredInSight();
}

void TrayLifecycle::minimised()
{
    if (!m_tray.isAvailable())
        return;
    // Hidden once the platform has finished minimising, not from inside its state change.
    QTimer::singleShot(0, &m_window, [this] {
        if (m_window.isMinimized() && m_tray.isAvailable())
            m_window.hide();
    });
}

bool TrayLifecycle::closeRequested()
{
    if (m_sessionEnding)
        return true;
    if (!m_tray.isAvailable() && m_dialogs.askYesNo(platform::applicationTitle, endQuestion))
        return true;
    putAway();
    return false;
}

void TrayLifecycle::exit()
{
    m_tray.remove();
    emit exitRequested();
}

void TrayLifecycle::putAway()
{
    if (m_tray.isAvailable()) {
        m_window.hide();
        return;
    }
    m_window.showMinimized();
    m_parked = true;
}

void TrayLifecycle::trayAvailabilityChanged(bool available)
{
    if (!available) {
        if (m_window.isHidden()) {
            m_window.showMinimized();
            m_parked = true;
        }
        return;
    }
    // Back in the notification area, a window that was only parked on the task bar goes there too. A
    // Wayland compositor may have left it on screen instead (sway has no minimised state, and gives every
    // new window the focus): unless the user opened it, it goes all the same.
    if (m_window.isMinimized() || m_parked)
        m_window.hide();
    m_parked = false;
}

} // namespace mainwin
