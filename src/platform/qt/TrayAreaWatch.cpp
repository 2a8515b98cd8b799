#include "TrayAreaWatch.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>

namespace platform {

TrayAreaWatch::TrayAreaWatch(QObject* parent) : QObject(parent)
{
    // The xcb plugin follows the tray's selection owner and tells its own tray icons through this signal
    // of its native interface; listening to it spares the idle program a look every few seconds. The
    // interface's class is private to Qt, but it derives from QObject alone, so the pointer is a QObject.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native == nullptr || native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") < 0)
        return;
    // Asking once makes the plugin start following the tray's owner.
    QSystemTrayIcon::isSystemTrayAvailable();
    m_connected =
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(onTrayWindowChanged(QScreen*)));
}

void TrayAreaWatch::onTrayWindowChanged(QScreen*)
{
    emit changed();
}

} // namespace platform
