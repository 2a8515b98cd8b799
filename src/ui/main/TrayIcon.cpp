// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayIcon.h"

#include "platform/Autostart.h"
#include "platform/Dialogs.h"

namespace mainwin {

TrayIcon::TrayIcon(const QIcon& icon, const QIcon& pausedIcon, Availability available, QObject* parent)
    : QObject(parent), m_isAvailable(std::move(available)), m_image(icon), m_pausedImage(pausedIcon)
{
    if (!m_isAvailable)
        m_isAvailable = [this] { return m_platformWatch.available(); };

    m_menu.setObjectName(QStringLiteral("mPopupSys"));
    m_menu.setTitle(QStringLiteral("&SysTray"));
    m_restore = m_menu.addAction(QStringLiteral("&Restore"));
    m_restore->setObjectName(QStringLiteral("mPopRestore"));
    m_ringIn = m_menu.addAction(QStringLiteral("Ring &in..."));
    m_ringIn->setObjectName(QStringLiteral("mPopRingIn"));
    m_pause = m_menu.addAction(QStringLiteral("&Pause alarms until..."));
    m_pause->setObjectName(QStringLiteral("mPopPause"));
    m_resume = m_menu.addAction(QStringLiteral("Res&ume alarms"));
    m_resume->setObjectName(QStringLiteral("mPopResume"));
    m_resume->setVisible(false);
    m_startAtLogin = m_menu.addAction(QStringLiteral("Start at &login"));
    m_startAtLogin->setObjectName(QStringLiteral("mPopStartAtLogin"));
    m_startAtLogin->setCheckable(true);
    m_startAtLogin->setEnabled(false);
    m_exit = m_menu.addAction(QStringLiteral("&Exit"));
    m_exit->setObjectName(QStringLiteral("mPopExit"));
    connect(m_restore, &QAction::triggered, this, &TrayIcon::restoreRequested);
    connect(m_ringIn, &QAction::triggered, this, &TrayIcon::ringInRequested);
    connect(m_pause, &QAction::triggered, this, &TrayIcon::pauseRequested);
    connect(m_resume, &QAction::triggered, this, &TrayIcon::resumeRequested);
    connect(m_startAtLogin, &QAction::triggered, this, &TrayIcon::startAtLoginTriggered);
    connect(m_exit, &QAction::triggered, this, &TrayIcon::exitRequested);
    // The user may switch it in the desktop's own settings while the program runs.
    connect(&m_menu, &QMenu::aboutToShow, this, &TrayIcon::refreshStartAtLogin);

    // Nothing depends on noticing within the second, so the system may batch this wake-up with others.
    m_watch.setTimerType(Qt::VeryCoarseTimer);
    m_watch.setInterval(availabilityCheckMs);
    connect(&m_watch, &QTimer::timeout, this, &TrayIcon::checkAvailability);
    connect(&m_platformWatch, &platform::TrayAreaWatch::changed, this, &TrayIcon::checkAvailability);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::add()
{
    m_added = true;
    m_available = m_isAvailable();
    if (m_available)
        showIcon();
    if (!m_platformWatch.connected())
        m_watch.start();
}

void TrayIcon::remove()
{
    m_added = false;
    m_watch.stop();
    if (m_icon)
        m_icon->hide();
}

void TrayIcon::setStartAtLogin(platform::Autostart* autostart, platform::Dialogs* dialogs)
{
    m_autostart = autostart;
    m_dialogs = dialogs;
    m_startAtLogin->setEnabled(m_autostart != nullptr);
    refreshStartAtLogin();
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
        if (m_icon)
            m_icon->hide();
        showIcon();
    }
    emit availabilityChanged(available);
}

void TrayIcon::showIcon()
{
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(m_paused ? m_pausedImage : m_image);
        m_icon->setToolTip(m_tip);
        m_icon->setContextMenu(&m_menu);
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
        m_platformWatch.trayCreated();
        if (m_platformWatch.connected())
            m_watch.stop();
    }
    m_icon->show();
}

void TrayIcon::setTip(const QString& tip)
{
    if (tip == m_tip)
        return;
    m_tip = tip;
    if (m_icon)
        m_icon->setToolTip(m_tip);
}

void TrayIcon::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    // While paused the menu offers the way back instead of a second pause.
    m_pause->setVisible(!paused);
    m_resume->setVisible(paused);
    if (m_icon)
        m_icon->setIcon(paused ? m_pausedImage : m_image);
}

void TrayIcon::refreshStartAtLogin()
{
    if (m_autostart != nullptr)
        m_startAtLogin->setChecked(m_autostart->isEnabled());
}

void TrayIcon::startAtLoginTriggered(bool checked)
{
    if (m_autostart == nullptr)
        return;
    if (!m_autostart->setEnabled(checked) && m_dialogs != nullptr)
        platform::showError(*m_dialogs, "The change could not be saved.");
    // The mark follows the file, whatever became of the change.
    refreshStartAtLogin();
}

} // namespace mainwin
