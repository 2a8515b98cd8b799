// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayAreaWatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#if defined(WAKERY_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>
#endif

namespace platform {
namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
// A watcher that hangs must not hold up the program's start.
constexpr int busTimeoutMs = 500;

#if defined(WAKERY_HAVE_XCB)
// The screen number of DISPLAY (":0.1" is screen 1); the tray's selection is per screen.
int displayScreen()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr)
        return 0;
    const std::string text(display);
    const auto colon = text.rfind(':');
    const auto dot = text.find('.', colon == std::string::npos ? 0 : colon);
    return dot == std::string::npos ? 0 : std::atoi(text.c_str() + dot + 1);
}
#endif

} // namespace

TrayAreaWatch::TrayAreaWatch(QObject* parent) : QObject(parent)
{
    m_onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        // Qt's tray can then only ever be an XEmbed one, so asking about it now settles nothing, and
        // following the tray's owner from the start spares the idle program a look every few seconds.
        followX11();
        return;
    }
    m_busWatch = new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_busWatch, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayAreaWatch::onBusChanged);
    bus.connect(watcherService, watcherPath, watcherService, QStringLiteral("StatusNotifierHostRegistered"),
                this, SLOT(onBusChanged()));
    bus.connect(watcherService, watcherPath, watcherService, QStringLiteral("StatusNotifierHostUnregistered"),
                this, SLOT(onBusChanged()));
}

bool TrayAreaWatch::available() const
{
    return statusNotifierHost() || xembedTray();
}

bool TrayAreaWatch::connected() const
{
    // On X11 without a session bus only an XEmbed tray can come and go.
    return m_onX11 ? m_x11Followed : m_busWatch != nullptr;
}

void TrayAreaWatch::trayCreated()
{
    followX11();
}

void TrayAreaWatch::followX11()
{
    if (m_x11Followed || !m_onX11)
        return;
    // The xcb plugin follows the tray's selection owner and tells its own tray icons through this signal
    // of its native interface; listening to it spares the idle program a look every few seconds. The
    // interface's class is private to Qt, but it derives from QObject alone, so the pointer is a QObject.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native == nullptr || native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") < 0)
        return;
    // Asking once makes the plugin start following the tray's owner.
    QSystemTrayIcon::isSystemTrayAvailable();
    m_x11Followed =
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(onTrayWindowChanged(QScreen*)));
}

void TrayAreaWatch::onTrayWindowChanged(QScreen*)
{
    emit changed();
}

void TrayAreaWatch::onBusChanged()
{
    emit changed();
}

bool TrayAreaWatch::statusNotifierHost() const
{
    if (m_busWatch == nullptr)
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(watcherService, watcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusReply<QDBusVariant> reply = m_busWatch->connection().call(get, QDBus::Block, busTimeoutMs);
    return reply.isValid() && reply.value().variant().toBool();
}

bool TrayAreaWatch::xembedTray() const
{
#if defined(WAKERY_HAVE_XCB)
    auto* x11 = qGuiApp == nullptr ? nullptr : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(displayScreen());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()),
            nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
#else
    return false;
#endif
}

} // namespace platform
