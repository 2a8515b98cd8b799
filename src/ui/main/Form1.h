// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayIcon.h"
#include "TrayLifecycle.h"
#include "platform/Files.h"
#include "platform/WakeTimer.h"
#include "scheduler/AlarmCheck.h"
#include "store/AlarmTable.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/notify/AlarmWindowHost.h"

#include <QMainWindow>

#include <cstdint>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTreeWidget;

class CheckTimer;
class Dialog;

namespace platform {
struct Services;
}

// The program's main window: the alarm list with its commands, the default snooze box, the check timer
// and the notification-area icon. It owns the alarm table, which it reloads from Data.ini whenever it is
// activated and after every change it makes; the list is always rebuilt from the table, never edited.
class Form1 : public QMainWindow, public notify::AlarmOwner
{
    Q_OBJECT
public:
    // When the window's controls and the editor are made. The program lives hidden in the notification
    // area most of its life, where the table, the check and the icon do without them.
    enum class Controls {
        AtOnce,
        WhenFirstShown,
    };
    // trayAvailable tells whether the desktop has a notification area; tests pass their own.
    explicit Form1(platform::Services& services, QWidget* parent = nullptr,
                   mainwin::TrayIcon::Availability trayAvailable = {}, Controls controls = Controls::AtOnce);
    ~Form1() override;

    // Start-up: the first load, the icon into the notification area with the window put away, then the
    // check timer.
    void Form_Load();
    // Reloads the table from Data.ini and rebuilds the list; with no Data.ini nothing changes.
    void Form_Activate();
    // Whether Data.ini is there and no longer the file the table was last loaded from.
    bool dataChangedSinceLoad() const;

    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM,
                        bool Increment = false) override;
    bool AlarmSoundPresent(std::int16_t Index) const override;
    std::string GetASound(std::int16_t Index) const override;
    platform::SoundLevel soundLevel(std::int16_t Index) const override;
    // Deletes alarm Index: the later alarms move down one index, with their snooze offsets and their
    // waiting or showing notifications, and an open editor follows. A failed write changes nothing and
    // says "The change could not be saved.".
    void RemoveAlarm(std::int16_t Index);
    std::int16_t ACount() const { return m_table.ACount; }

    // The tray menu's items; Restore also answers a second start of the program. Ring in, Pause and
    // Resume are buttons of the window too, for desktops without a notification area.
    void mPopRestore_Click();
    void mPopExit_Click();
    void mPopRingIn_Click();
    void mPopPause_Click();
    void mPopResume_Click();
    // Whether the machine can be woken for an alarm, and why not; the status line says so.
    void setWakeStatus(const platform::WakeStatus& status);
    // Logout: a close that would ask "End Wakery now?" ends the program without asking.
    void sessionEnding() { m_lifecycle.sessionEnding(); }

    const store::AlarmTable& alarmTable() const { return m_table; }
    const scheduler::AlarmCheck& alarmCheck() const { return m_check; }
    notify::AlarmWindowHost& alarmWindow() { return m_alarmWindow; }
    Dialog& editor();
    mainwin::TrayIcon& trayIcon() { return m_tray; }

    CheckTimer* Timer1 = nullptr;

signals:
    // The program is to end now (the tray menu's Exit); the icon is already gone.
    void programEnd();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void setVisible(bool visible) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdOnOff_Click();
    void cmdSet_Click();
    // Skip next: the selected alarm's next ring does not ring; pressed again while that ring is still
    // ahead, it rings after all.
    void cmdSkip_Click();

private:
    void buildControls();
    void ensureControls();
    void showPresence(bool withoutTray);
    void FillAlarmList();
    // The tip, the status line and the pause in the icon and the buttons, after every check.
    void showNextAlarm();
    // A one-off was answered: switched off, or deleted when "Ring in..." added it.
    void retireOneOff(std::int16_t index);
    // After alarm index left the file: offsets, the check and an open editor follow.
    void followRemoval(std::int16_t index);
    // Pause or resume as Data.ini stores it, then the list and the check follow.
    void writePause(std::optional<std::int64_t> until);
    // What the Time column needs for the widest time text of the locale.
    int timeColumnWidth();
    // The 1-based index of the selected row, which is the alarm index; 0 with no row selected.
    std::int16_t selectedIndex() const;
    bool cmbtime_KeyDown(const QKeyEvent& key);
    void Form_Resize();
    void Timer1_Timer();
    void prepareForRing();
    std::string iniPath() const;
    // Today by the clock, as days since 1970-01-01.
    std::int64_t today() const;
    // A list command about to act on a table that Data.ini has moved away from reloads instead.
    bool reloadedStaleTable();
    void reloadIfChangedElsewhere();

    platform::Services& m_services;
    store::AlarmTable m_table;
    notify::AlarmWindowHost m_alarmWindow;
    scheduler::AlarmCheck m_check;
    mainwin::TrayIcon m_tray;
    mainwin::TrayLifecycle m_lifecycle;
    Dialog* m_editor = nullptr;
    bool m_placed = false;
    bool m_outOfSight = true;
    bool m_loaded = false;
    bool m_fontsReady = false;
    platform::FileStamp m_loadedStamp;
    int m_timeColumnWidth = -1;
    std::int64_t m_listDay = 0; // the day the list was filled on

    QTreeWidget* ListView1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbtime = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* cmdSet = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdOnOff = nullptr;
    QPushButton* cmdSkip = nullptr;
    QPushButton* cmdRingIn = nullptr;
    QPushButton* cmdPause = nullptr; // "Pause..." or "Resume"
    QLabel* lblNext = nullptr;
    platform::WakeStatus m_wakeStatus;
    // Where there is no notification area (GNOME): what the window is for, and Start at login, which
    // lives in the icon's menu elsewhere.
    QLabel* lblPresence = nullptr;
    QCheckBox* chkStartAtLogin = nullptr;
};
