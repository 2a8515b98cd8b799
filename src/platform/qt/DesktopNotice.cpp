// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopNotice.h"

#include "platform/Autostart.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace platform {

DesktopNotice::DesktopNotice(Dialogs& dialogs, QObject* parent) : QObject(parent), m_dialogs(dialogs) {}

void DesktopNotice::show(const std::string& summary, const std::string& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        showBox(body);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Normal urgency, so that a full-screen program is not interrupted; no sound, since the alarm is over.
    // The icon and the desktop entry by the application's id, which is what the package installs.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar{1})},
                            {QStringLiteral("suppress-sound"), true},
                            {QStringLiteral("desktop-entry"), QString::fromLatin1(applicationId)}};
    call << QStringLiteral("Wakery") << 0U << QString::fromLatin1(applicationId)
         << QString::fromStdString(summary) << QString::fromStdString(body) << QStringList() << hints
         << 0; // 0: stays until dismissed
    // Asynchronous: a notification service that is slow to start must not stall the alarms.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, body] {
        watcher->deleteLater();
        if (watcher->isError())
            showBox(body);
    });
}

void DesktopNotice::showBox(const std::string& body)
{
    // A box that blocks nothing: an alarm that comes due while it is open must take the user's keys.
    m_dialogs.showNotice(MessageIcon::Information, applicationTitle, body);
}

} // namespace platform
