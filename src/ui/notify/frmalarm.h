// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWindow;

namespace platform {
class Dialogs;
class Files;
class SoundPlayer;
class SoundPlayerFactory;
} // namespace platform

namespace notify {

class AlarmOwner;
class RingingSound;

// The window that rings one alarm: its time, its memo, its sound over and over, in front of the other
// windows until OK or Snooze. It cannot be closed any other way.
class frmalarm : public QWidget
{
    Q_OBJECT
public:
    frmalarm(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
             platform::SoundPlayerFactory& sounds, QWidget* parent = nullptr);
    ~frmalarm() override;

    // Loads what the first window would otherwise load while its alarm is already due.
    static void prepareFonts();

    std::int16_t AlarmIndex = 0; // set by the opener before it shows the window

    // The handlers keep their names so that tests can drive them without waiting for events.
    void Form_Activate();
    void Timer1_Timer();
    void cmdSnooze_Click();
    void OKButton_Click();

    QLineEdit* txttitle = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* txtMemo = nullptr;
    QComboBox* cmbtime = nullptr;
    QPushButton* cmdSnooze = nullptr;
    QPushButton* OKButton = nullptr;
    QLabel* Label9 = nullptr;
    QTimer* Timer1 = nullptr;

signals:
    // OK or Snooze is done and the window is closing; the sound has stopped.
    void finished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void fillDurationBox();
    void startSound();
    bool handleKey(QKeyEvent* event);
    void noteFocusWindow(QWindow* window);
    void unload();

    AlarmOwner& m_owner;
    const platform::Files& m_files;
    platform::Dialogs& m_dialogs;
    platform::SoundPlayerFactory& m_sounds;
    std::unique_ptr<RingingSound> m_sound;
    bool m_shownBefore = false;
    bool m_otherWindowActiveSince = false;
    bool m_unloading = false;
};

} // namespace notify
