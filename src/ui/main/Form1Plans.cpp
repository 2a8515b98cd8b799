// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window does beyond the weekly alarm: skipping a ring, pausing, "Ring in..." and the
// next alarm at a glance.
#include "Form1.h"
#include "NextAlarm.h"
#include "PauseDialog.h"
#include "RingInDialog.h"
#include "platform/Services.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"
#include "scheduler/Snooze.h"
#include "store/AlarmCommands.h"
#include "store/ini.h"
#include "text/IsoDate.h"
#include "ui/editor/Dialog.h"
#include "ui/window/Messages.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>

namespace {

using scheduler::civil::minutesPerDay;

QString qt(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void Form1::cmdSkip_Click()
{
    const std::int16_t k = selectedIndex();
    if (k == 0 || reloadedStaleTable()) {
        showNextAlarm();
        return;
    }
    const store::AlarmPlan& plan = m_table.APlan[static_cast<std::size_t>(k)];
    std::optional<std::int64_t> day;
    // Pressed again while the skipped ring is still ahead: it rings after all.
    if (!(plan.skip && *plan.skip >= today())) {
        day = scheduler::nextSkippableDay(m_table, k, scheduler::civil::localMinute(m_services.clock.now()));
        if (!day) {
            platform::showError(m_services.dialogs, "This alarm has no ring ahead to skip.");
            showNextAlarm();
            return;
        }
    }
    if (!store::writeSkip(m_table, k, day, iniPath())) {
        platform::showError(m_services.dialogs, messages::changeNotSaved);
        showNextAlarm();
        return;
    }
    // A snooze pending for the alarm is a ring too: the user asked for silence, not for it later.
    if (day)
        scheduler::SetSnoozeValue(m_table, k, 0, 0, false);
    Form_Activate();
}

void Form1::mPopRingIn_Click()
{
    RingInDialog dialog(m_services.dialogs, isVisible() ? this : nullptr);
    const auto request = dialog.ask(qt(ini::ReadIni(iniPath(), "Alarm", "DSnooze", "00:05")));
    if (!request)
        return;
    const auto& [duration, memo] = *request;
    const std::int64_t minute =
        scheduler::ringInMinute(m_services.clock.now(), duration.hours, duration.minutes);
    const std::int64_t day = scheduler::civil::floorDiv(minute, minutesPerDay);
    char fallbackMemo[32];
    std::snprintf(fallbackMemo, sizeof fallbackMemo, "Ring in %d:%02d", duration.hours, duration.minutes);
    // No weekday: a reader that knows nothing of Date skips it rather than ringing it every week.
    const store::AlarmRecord record{.state = "1",
                                    .type = "",
                                    .memo = memo.empty() ? fallbackMemo : memo,
                                    .time = mainwin::clockText(minute),
                                    .sound = "",
                                    .date = text::isoDate(day),
                                    .timer = "1"};
    std::int16_t added = 0;
    if (store::addAlarm(iniPath(), record, added) != store::SaveResult::Saved)
        platform::showError(m_services.dialogs, messages::alarmNotSaved);
    Form_Activate();
}

void Form1::mPopPause_Click()
{
    PauseDialog dialog(isVisible() ? this : nullptr);
    // Tomorrow by the program's clock, not Qt's, so that a clock set for a test counts.
    const auto until = dialog.ask(QDate(1970, 1, 1).addDays(today() + 1));
    if (!until)
        return;
    // Snoozes pending now would ring as soon as the pause ends, long after they meant anything.
    for (std::int16_t i = 1; i <= m_table.ACount; ++i)
        scheduler::SetSnoozeValue(m_table, i, 0, 0, false);
    writePause(QDate(1970, 1, 1).daysTo(*until));
}

void Form1::mPopResume_Click()
{
    writePause(std::nullopt);
}

void Form1::writePause(std::optional<std::int64_t> until)
{
    if (!store::writePause(iniPath(), until))
        platform::showError(m_services.dialogs, messages::changeNotSaved);
    Form_Activate();
}

void Form1::setWakeStatus(const platform::WakeStatus& status)
{
    m_wakeStatus = status;
    showNextAlarm();
}

void Form1::showNextAlarm()
{
    const std::int64_t now = scheduler::civil::localMinute(m_services.clock.now());
    // A skip that was for yesterday is no longer shown once the day has passed.
    if (m_listDay != today() && m_loaded)
        FillAlarmList();
    const std::string paused = mainwin::pauseText(m_table, now, m_services.localeTime);
    m_tray.setTip(qt(mainwin::trayTip(m_table, now, m_services.localeTime)));
    m_tray.setPaused(!paused.empty());
    if (lblNext == nullptr)
        return;
    std::string line = mainwin::nextAlarmText(m_table, now, m_services.localeTime);
    if (!paused.empty())
        line = "Alarms " + paused + ". " + line;
    // The reason, often a long one, is in the tooltip: on the line it would push the next ring out of sight.
    const bool refused = m_wakeStatus.ability == platform::WakeStatus::Ability::Refused;
    if (m_wakeStatus.ability == platform::WakeStatus::Ability::Wakes)
        line += " - wakes this computer for alarms";
    else if (refused)
        line += " - cannot wake this computer";
    lblNext->setText(qt(line));
    lblNext->setToolTip(refused ? qt("Cannot wake this computer: " + m_wakeStatus.reason) : QString());
    cmdPause->setText(paused.empty() ? QStringLiteral("&Pause...") : QStringLiteral("Res&ume"));
    const std::int16_t k = selectedIndex();
    cmdSkip->setEnabled(k != 0);
    // A caption rather than a checked look: a screen reader's toggle would not press the button.
    const bool skips = m_table.has(k) && m_table.APlan[static_cast<std::size_t>(k)].skip >= today();
    cmdSkip->setText(skips ? QStringLiteral("Don't s&kip") : QStringLiteral("S&kip next"));
}

void Form1::retireOneOff(std::int16_t index)
{
    // Another program may have moved the alarms since the load; the retired alarm must be the one that rang.
    if (dataChangedSinceLoad())
        return;
    const bool removes = m_table.APlan[static_cast<std::size_t>(index)].removeWhenAnswered;
    if (!store::retireOneOff(m_table, index, iniPath(), today())) {
        platform::showError(m_services.dialogs, messages::changeNotSaved);
        return;
    }
    if (removes)
        followRemoval(index);
    Form_Activate();
}

void Form1::followRemoval(std::int16_t index)
{
    m_table.removeOffsetsAt(index);
    m_check.alarmRemoved(index);
    if (m_editor != nullptr)
        m_editor->alarmRemoved(index);
}
