// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QScreen>

class QDBusServiceWatcher;

namespace platform {

// Whether the desktop has a notification area, and when that changes: a StatusNotifierItem host on the
// session bus (panels on Wayland and many on X11) or an XEmbed tray on the X display.
//
// Qt settles whether its tray icons go over D-Bus once per process, at the first tray call of any kind
// (even asking whether a tray is there), and a program that asked before its panel had started would
// never show its icon over D-Bus. So this looks for both itself, and Qt's tray is touched only after
// trayCreated().
class TrayAreaWatch : public QObject
{
    Q_OBJECT
public:
    explicit TrayAreaWatch(QObject* parent = nullptr);
    bool available() const;
    // Whether every change is reported through changed(); where not, the caller has to look for itself.
    bool connected() const;
    // Qt's tray exists now and may be asked; the X11 tray is then followed through Qt's own tracking.
    void trayCreated();

signals:
    void changed();

private slots:
    void onTrayWindowChanged(QScreen* screen);
    void onBusChanged();

private:
    void followX11();
    bool statusNotifierHost() const;
    bool xembedTray() const;

    QDBusServiceWatcher* m_busWatch = nullptr;
    bool m_onX11 = false;
    bool m_x11Followed = false;
};

} // namespace platform
