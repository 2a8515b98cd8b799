// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SoundTest.h"
#include "TimeEntry.h"

#include "store/AlarmRecord.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QRadioButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace platform {
struct Services;
}
namespace store {
struct AlarmTable;
}

// The alarm editor: creates a new alarm or changes a stored one, writing it straight into Data.ini. It
// never changes the alarm table; it only reads ACount from it (to refuse Add... at the limit), so the
// table (and the services) must outlive the Dialog. One Dialog lives as long as the main window, its parent,
// and is shown again for every opening; each opening starts from the empty window, with the 24 times in its
// list once.
//
// How the main window drives it:
//   Add...      openNew()          returns at once; the editor is modal to its parent window only, so a
//                                  ringing notification window (a top-level of its own) stays usable.
//                                  With ACount at 32,767 it says "No more alarms can be added." and opens
//                                  nothing. While the editor is already open it is only brought to the front.
//   Edit...     Modi(k)            loads alarm k and shows the editor modeless. Edit of another alarm while
//                                  a change is open reloads the same window with that alarm; Edit of the same
//                                  alarm only brings it to the front.
//   Delete k    alarmRemoved(k)    call after the alarms behind k moved down: the open change follows its
//                                  alarm, and the editor closes without writing when k was its alarm.
//   reload      editorClosed(bool) emitted on every close (OK, Cancel, Esc, close box, deletion); true when
//                                  an alarm was written.
// Test plays the chosen file (default.wav when none is) once at the chosen volume and fade-in, and says
// Stop while it plays; every close stops it too. A file that cannot be played is said beside the button.
// A failed write shows "The alarm could not be saved." and keeps the editor open as it was. OK compares
// Data.ini with what the editor opened: a new alarm goes after the file's Count as it is then; a change
// whose alarm another program changed or removed meanwhile is not written, the editor stays open with a
// message and the list reloads (storeChangedElsewhere), and the next OK saves it where the opened alarm
// now stands, or as a new alarm when it is nowhere.
class Dialog : public QDialog
{
    Q_OBJECT
public:
    Dialog(platform::Services& services, const store::AlarmTable& table, QWidget* parent = nullptr);

    // Opens the editor for a new alarm. False when it refused (ACount at its limit) or when an editor that
    // was already open was brought to the front instead.
    bool openNew();

    // Opens the editor to change alarm AIndex (1..ACount), filled from Data.ini, and makes AIndex the alarm
    // OK writes. Does nothing when Data.ini does not exist or the index names no alarm; while open for a new
    // alarm it only brings the editor to the front, so nothing typed there is lost.
    void Modi(std::int16_t AIndex);

    // Marks the day boxes from the day set stored for alarm AIndex ("Type", default "1": a missing key
    // marks Sunday only). Boxes are only marked here, never cleared.
    void CheckTheDays(std::int16_t AIndex);

    // The day set of the day boxes, as OK stores it.
    std::string GetType() const;

    // "Once on" is chosen: the alarm rings on the day of the date box alone.
    bool ringsOnce() const;

    // The alarm being changed: set by Modi, moved by alarmRemoved, never cleared.
    std::int16_t AlIndex() const { return m_alIndex; }
    // True while the editor is open to change a stored alarm; false while closed or open for a new one.
    bool ModifMode() const { return m_modifMode; }

    // Restores, raises and activates the editor when it is open; nothing otherwise.
    void bringToFront();
    void alarmRemoved(std::int16_t index);

    // Every way of closing ends here.
    void done(int result) override;

signals:
    void editorClosed(bool saved);
    void storeChangedElsewhere();

private slots:
    void OKButton_Click();
    void CancelButton_Click();
    void cmdbrowse_Click();
    void cmdTest_Click();

private:
    void buildControls();
    void buildSoundControls(const QFont& labelFont);
    void Form_Load();
    void Form_Unload();
    void Fill_Cmbtime2();
    bool writeAlarm();
    void followChangedAlarm();
    editor::DayBoxes dayBoxes() const;
    void limitLineEdit(QLineEdit* edit);
    void limitMemo();
    // "Once on" chosen or left: the day boxes and the date box take turns, and the date box starts on
    // the next day the time box's time is still ahead.
    void optOnce_Click();
    // Now by the program's clock, in local minutes since 1970-01-01.
    std::int64_t nowMinute() const;
    // The level of the volume slider and the fade-in box, as OK stores it and Test plays it.
    platform::SoundLevel soundLevel() const;
    void showSoundLevel(const platform::SoundLevel& level);
    // The Test button back to "Test", saying why the file could not be played when reason is set.
    void testFinished(const QString& reason);
    // The record OK writes, from the boxes and the keys of the opened alarm that the editor does not show.
    store::AlarmRecord recordToWrite() const;

    platform::Services& m_services;
    const store::AlarmTable& m_table;
    std::int16_t m_alIndex = 0;
    bool m_modifMode = false;
    bool m_saved = false;
    store::AlarmRecord m_loaded; // the opened alarm's section as Data.ini held it
    std::string m_browseName;    // the file the open-file dialog holds: the last one chosen in this opening
    editor::SoundTest m_test;

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QComboBox* cmbtime2 = nullptr;
    QLabel* Label8 = nullptr;
    QCheckBox* Check1 = nullptr; // Sunday
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;      // Saturday
    QRadioButton* optEvery = nullptr; // the weekdays of the day boxes
    QRadioButton* optOnce = nullptr;  // the day of dtpOnce alone
    QDateEdit* dtpOnce = nullptr;
    std::array<QCheckBox*, 7> m_days{}; // Check1 .. Check7, for the loops over the week
    QLabel* Label5 = nullptr;
    QPlainTextEdit* txtMemo = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdbrowse = nullptr;
    QLineEdit* txtaction = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblVolume = nullptr;
    QSlider* sldVolume = nullptr;
    QLabel* lblVolumeValue = nullptr; // "50 %"
    QLabel* lblFadeIn = nullptr;
    QComboBox* cmbFadeIn = nullptr; // each item's data: its length in seconds
    QPushButton* cmdTest = nullptr;
    QLabel* lblTestResult = nullptr;
};
