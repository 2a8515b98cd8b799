#pragma once

#include "scheduler/AlarmWindow.h"

#include <QObject>
#include <QPointer>

namespace platform {
class Dialogs;
class Files;
class SoundPlayerFactory;
} // namespace platform

namespace scheduler {
class AlarmCheck;
}

namespace notify {

class AlarmOwner;
class frmalarm;

// The check's hand-over of a due alarm: a fresh notification window for every alarm shown, and the
// check told when it has closed so that a waiting alarm can follow.
class AlarmWindowHost : public QObject, public scheduler::AlarmWindow
{
    Q_OBJECT
public:
    AlarmWindowHost(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
                    platform::SoundPlayerFactory& sounds, QObject* parent = nullptr);
    ~AlarmWindowHost() override;

    // The check that hands alarms over; it takes this host in its constructor, so it is attached after.
    void setCheck(scheduler::AlarmCheck* check) { m_check = check; }

    void showAlarm(std::int16_t index, const std::string& memo, const std::string& timeText) override;

    // The window that rings now, if any.
    frmalarm* current() const;

signals:
    // A window was closed by OK or Snooze, after the check has been told.
    void windowClosed();

private:
    void onFinished(frmalarm* window);

    AlarmOwner& m_owner;
    const platform::Files& m_files;
    platform::Dialogs& m_dialogs;
    platform::SoundPlayerFactory& m_sounds;
    scheduler::AlarmCheck* m_check = nullptr;
    QPointer<frmalarm> m_window;
};

} // namespace notify
