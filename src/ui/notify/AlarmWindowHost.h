// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmOwner.h"
#include "scheduler/AlarmWindow.h"

#include "platform/RingNotices.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

namespace platform {
class Dialogs;
class Files;
class SoundPlayerFactory;
} // namespace platform

namespace scheduler {
class AlarmCheck;
}

namespace notify {

class frmalarm;

// The check's hand-over of a due alarm: a fresh notification window for every alarm shown, and the
// check told when it has closed so that a waiting alarm can follow.
//
// The window reports OK and Snooze through this host, which passes them on to the owner of the table
// for the alarm the check says is showing: a deletion in the main window may have moved that alarm to
// another index, or taken it away (then nothing is touched). A snooze of a ring that began in an earlier
// minute (it waited behind another alarm, or rang unanswered) also adds that lateness, so the next ring
// comes the chosen duration after the press rather than at a minute that has already gone by.
class AlarmWindowHost : public QObject, public scheduler::AlarmWindow, public AlarmOwner
{
    Q_OBJECT
public:
    AlarmWindowHost(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
                    platform::SoundPlayerFactory& sounds, QObject* parent = nullptr);
    ~AlarmWindowHost() override;

    // The check that hands alarms over; it takes this host in its constructor, so it is attached after.
    void setCheck(scheduler::AlarmCheck* check) { m_check = check; }
    // Each ring also sends a notification through notices, whose Snooze and OK answer the window as its
    // own buttons do and whose click brings it to the front; they close together. Must outlive the host.
    void setRingNotices(platform::RingNotices* notices) { m_notices = notices; }

    void showAlarm(std::int16_t index, const std::string& memo, const std::string& timeText) override;

    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment) override;
    bool AlarmSoundPresent(std::int16_t Index) const override;
    std::string GetASound(std::int16_t Index) const override;
    platform::SoundLevel soundLevel(std::int16_t Index) const override;

    // The window that rings now, if any.
    frmalarm* current() const;

signals:
    // A window was closed by OK or Snooze, after the check has been told.
    void windowClosed();

private:
    void onFinished(frmalarm* window);
    void sendNotice(frmalarm& window, const std::string& memo, const std::string& timeText);
    // The window's index as the check knows it now; nullopt when its alarm is gone.
    std::optional<std::int16_t> currentIndex(std::int16_t windowIndex) const;

    AlarmOwner& m_owner;
    const platform::Files& m_files;
    platform::Dialogs& m_dialogs;
    platform::SoundPlayerFactory& m_sounds;
    scheduler::AlarmCheck* m_check = nullptr;
    QPointer<frmalarm> m_window;
    platform::RingNotices* m_notices = nullptr;
    std::unique_ptr<platform::RingNotice> m_notice; // the notification of m_window's ring
};

} // namespace notify
