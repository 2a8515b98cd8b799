// SPDX-License-Identifier: GPL-3.0-or-later
#include "DBusRingNotices.h"

#include "platform/Autostart.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QVariantMap>

namespace platform {
namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage notificationsCall(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, service, method);
}

} // namespace

class DBusRingNotices::Notice : public RingNotice
{
public:
    Notice(DBusRingNotices& owner, std::uint64_t number) : serial(number), m_owner(&owner) {}
    ~Notice() override
    {
        if (m_owner)
            m_owner->withdraw(this);
    }
    const std::uint64_t serial;

private:
    QPointer<DBusRingNotices> m_owner;
};

DBusRingNotices::DBusRingNotices(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_connected = bus.isConnected();
    if (!m_connected)
        return;
    bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, path, service, QStringLiteral("ActivationToken"), this,
                SLOT(onActivationToken(uint, QString)));
    bus.connect(service, path, service, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
    // A service that reads markup in the body would take a memo's "<" or "&" for it.
    auto* capabilities =
        new QDBusPendingCallWatcher(bus.asyncCall(notificationsCall("GetCapabilities")), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this, [this, capabilities] {
        capabilities->deleteLater();
        const QDBusPendingReply<QStringList> reply = *capabilities;
        m_bodyMarkup = !reply.isError() && reply.value().contains(QStringLiteral("body-markup"));
    });
}

DBusRingNotices::~DBusRingNotices() = default;

std::unique_ptr<RingNotice> DBusRingNotices::show(const std::string& summary, const std::string& body,
                                                  RingNoticeAnswers answers)
{
    if (!m_connected)
        return nullptr;
    auto notice = std::make_unique<Notice>(*this, ++m_lastSerial);
    m_unnamed[notice->serial] = Sent{std::move(answers), {}};

    QDBusMessage call = notificationsCall(QStringLiteral("Notify"));
    const QString appId = QString::fromLatin1(applicationId);
    // Critical: it stays until answered, over full-screen programs and on a lock screen. Silent: the
    // window already plays the alarm's own sound.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar{2})},
                            {QStringLiteral("category"), QStringLiteral("x-wakery.alarm")},
                            {QStringLiteral("desktop-entry"), appId},
                            {QStringLiteral("suppress-sound"), true}};
    const QStringList actions{QStringLiteral("default"), QStringLiteral("Show"), QStringLiteral("snooze"),
                              QStringLiteral("Snooze"),  QStringLiteral("ok"),   QStringLiteral("OK")};
    QString text = QString::fromStdString(body);
    if (m_bodyMarkup)
        text = text.toHtmlEscaped();
    call << QStringLiteral("Wakery") << 0U << appId << QString::fromStdString(summary) << text << actions
         << hints << 0;
    const std::uint64_t serial = notice->serial;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, serial] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        const auto waiting = m_unnamed.find(serial);
        if (reply.isError()) { // the window rings alone
            if (waiting != m_unnamed.end())
                m_unnamed.erase(waiting);
            return;
        }
        const uint id = reply.value();
        if (waiting == m_unnamed.end()) { // the ring ended before the service answered
            close(id);
            return;
        }
        m_named[id] = std::move(waiting->second);
        m_unnamed.erase(waiting);
        m_ids[serial] = id;
    });
    return notice;
}

void DBusRingNotices::withdraw(Notice* notice)
{
    if (m_unnamed.erase(notice->serial) > 0)
        return;
    const auto named = m_ids.find(notice->serial);
    if (named == m_ids.end())
        return;
    const uint id = named->second;
    m_ids.erase(named);
    // Not when the service closed it already: the id may name another program's notification by now.
    if (m_named.erase(id) > 0)
        close(id);
}

void DBusRingNotices::close(uint id)
{
    QDBusMessage call = notificationsCall(QStringLiteral("CloseNotification"));
    call << id;
    QDBusConnection::sessionBus().asyncCall(call);
}

void DBusRingNotices::onActionInvoked(uint id, const QString& action)
{
    const auto named = m_named.find(id);
    if (named == m_named.end())
        return; // another program's notification, or one already gone
    // Copied: the answer ends the ring, which takes the notice and this entry away.
    const Sent sent = named->second;
    if (action == QLatin1String("snooze") && sent.answers.snooze)
        sent.answers.snooze();
    else if (action == QLatin1String("ok") && sent.answers.ok)
        sent.answers.ok();
    else if (action == QLatin1String("default") && sent.answers.front)
        sent.answers.front(sent.token.toStdString());
}

void DBusRingNotices::onActivationToken(uint id, const QString& token)
{
    // Sent just before the ActionInvoked it belongs to.
    if (const auto named = m_named.find(id); named != m_named.end())
        named->second.token = token;
}

void DBusRingNotices::onClosed(uint id, uint reason)
{
    Q_UNUSED(
        reason); // expired, dismissed or closed: the window rings on either way, and it is not sent again
    m_named.erase(id);
}

} // namespace platform
