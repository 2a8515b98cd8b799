// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

namespace soundhelper {

// Says when the system's default sound output is another device than before: one was plugged in or
// chosen, the one in use went away, or the last one did.
class DefaultOutputWatch : public QObject
{
    Q_OBJECT
public:
    DefaultOutputWatch();

signals:
    void changed();

private:
    void check();

    QMediaDevices m_devices;
    QTimer m_poll;
    QByteArray m_defaultId;
};

} // namespace soundhelper
