#include "TrayIcon.h"

namespace mainwin {

TrayIcon::TrayIcon(const QIcon& icon, Availability available, QObject* parent)
    : QObject(parent), m_isAvailable(std::move(available))
{
    m_menu.setObjectName(QStringLiteral("mPopupSys"));
    m_menu.setTitle(QStringLiteral("&SysTray"));
    m_restore = m_menu.addAction(QStringLiteral("&Restore"));
    m_restore->setObjectName(QStringLiteral("mPopRestore"));
    m_exit = m_menu.addAction(QStringLiteral("&Exit"));
    m_exit->setObjectName(QStringLiteral("mPopExit"));
    connect(m_restore, &QAction::triggered, this, &TrayIcon::restoreRequested);
    connect(m_exit, &QAction::triggered, this, &TrayIcon::exitRequested);

    m_icon.setIcon(icon);
    m_icon.setToolTip(QStringLiteral("Wakery"));
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);

    // Nothing depends on noticing within the second, so the system may batch this wake-up with others.
    m_watch.setTimerType(Qt::VeryCoarseTimer);
    m_watch.setInterval(availabilityCheckMs);
    connect(&m_watch, &QTimer::timeout, this, &TrayIcon::checkAvailability);
    connect(&m_platformWatch, &platform::TrayAreaWatch::changed, this, &TrayIcon::checkAvailability);
}

void TrayIcon::add()
{
    m_added = true;
    m_available = m_isAvailable();
    if (m_available)
        m_icon.show();
    if (!m_platformWatch.connected())
        m_watch.start();
}

void TrayIcon::remove()
{
    m_added = false;
    m_watch.stop();
    m_icon.hide();
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        emit restoreRequested();
}

void TrayIcon::checkAvailability()
{
    const bool available = m_isAvailable();
    if (available == m_available)
        return;
    m_available = available;
    // An icon shown while there was no notification area never reached one; showing it afresh docks it
    // into the area that has just appeared.
    if (m_added && available) {
        m_icon.hide();
        m_icon.show();
    }
    emit availabilityChanged(available);
}

} // namespace mainwin
