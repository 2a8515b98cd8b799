// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResumeWatch.h"

#include <QDBusConnection>

namespace platform {

ResumeWatch::ResumeWatch(QObject* parent) : QObject(parent)
{
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(prepareForSleep(bool)));
}

void ResumeWatch::prepareForSleep(bool starting)
{
    if (!starting)
        emit resumed();
}

} // namespace platform
