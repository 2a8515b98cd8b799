// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace platform {

// Tells when the machine has resumed from sleep, from the login manager's PrepareForSleep(false) on the
// system bus (the bus DBUS_SYSTEM_BUS_ADDRESS names, when set). Without a system bus or a login manager
// it never signals.
class ResumeWatch : public QObject
{
    Q_OBJECT
public:
    explicit ResumeWatch(QObject* parent = nullptr);

signals:
    void resumed();

private slots:
    void prepareForSleep(bool starting);
};

} // namespace platform
