// SPDX-License-Identifier: GPL-3.0-or-later
#include "MissedNotice.h"

#include "platform/qt/DesktopNotice.h"

MissedNotice::MissedNotice(platform::Dialogs& dialogs, const platform::LocaleTime& locale, QObject* parent)
    : QObject(parent), m_locale(locale), m_notice(new platform::DesktopNotice(dialogs, this))
{
}

void MissedNotice::showMissed(const std::vector<scheduler::MissedAlarm>& missed)
{
    m_notice->show(missed.size() == 1 ? "Missed alarm" : "Missed alarms",
                   scheduler::missedNoticeText(missed, m_locale));
}
