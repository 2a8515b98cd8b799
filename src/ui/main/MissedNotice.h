// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scheduler/MissedAlarms.h"

#include <QObject>

namespace platform {
class Dialogs;
class DesktopNotice;
class LocaleTime;
} // namespace platform

// Tells the user, once per gap, which alarms came due while the machine slept or the clock was set and
// were too late to ring. Nothing is written to Data.ini.
class MissedNotice : public QObject, public scheduler::MissedAlarmNotice
{
    Q_OBJECT
public:
    MissedNotice(platform::Dialogs& dialogs, const platform::LocaleTime& locale, QObject* parent = nullptr);
    void showMissed(const std::vector<scheduler::MissedAlarm>& missed) override;

private:
    const platform::LocaleTime& m_locale;
    platform::DesktopNotice* m_notice;
};
