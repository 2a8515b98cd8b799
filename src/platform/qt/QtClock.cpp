// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtClock.h"

#include <QDateTime>

namespace platform {

LocalDateTime QtClock::now() const
{
    const QDateTime current = QDateTime::currentDateTime();
    const QDate date = current.date();
    const QTime time = current.time();
    LocalDateTime result;
    result.year = date.year();
    result.month = date.month();
    result.day = date.day();
    result.hour = time.hour();
    result.minute = time.minute();
    result.second = time.second();
    result.millisecond = time.msec();
    return result;
}

} // namespace platform
