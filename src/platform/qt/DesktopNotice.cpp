// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
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
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar{1})},
                            {QStringLiteral("suppress-sound"), true}};
    call << QStringLiteral("Wakery") << 0U << QStringLiteral("wakery") << QString::fromStdString(summary)
         << QString::fromStdString(body) << QStringList() << hints << 0; // 0: stays until dismissed
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
    // From the event loop rather than inside the check, whose rings must not wait for the box.
    QTimer::singleShot(
        0, this, [this, body] { m_dialogs.showMessage(MessageIcon::Information, applicationTitle, body); });
}

} // namespace platform
