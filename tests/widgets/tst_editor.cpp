// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm editor as the user fills it, against a real Data.ini: what OK stores, what it refuses and
// says, what Cancel, Esc and Enter leave, and what an opening carries over from the one before.
#include "FakeServices.h"
#include "store/AlarmLoad.h"
#include "ui/editor/Dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include <filesystem>

namespace {

const char* const twoAlarms = "[Alarm]\nCount=2\n"
                              "[Alarm1]\nState=1\nType=1\nTime=6:00 AM\nMemo=one\nSound=/one.wav\n"
                              "[Alarm2]\nState=0\nType=7531\nTime=7:45 PM\nMemo=two\n";

struct Editor : FakeServices
{
    store::AlarmTable table;
    QWidget mainWindow;
    Dialog dialog{services, table, &mainWindow};
    QSignalSpy closed{&dialog, &Dialog::editorClosed};

    Editor()
    {
        mainWindow.show();
        folder.write("Data.ini", twoAlarms);
        store::loadAlarmTable(table, platform::dataIniPath(files), files, locale);
    }
    template <typename T> T* control(const char* name) const { return dialog.findChild<T*>(name); }
    QComboBox* time() const { return control<QComboBox>("cmbtime2"); }
    QPlainTextEdit* memo() const { return control<QPlainTextEdit>("txtMemo"); }
    QString sound() const { return control<QLineEdit>("txtaction")->text(); }
    QString days() const { return QString::fromStdString(dialog.GetType()); } // the marked boxes' digits
    // The time and memo in their boxes, then a click on each day.
    void fill(const char* timeText, const char* memoText, const QString& dayDigits)
    {
        time()->setEditText(timeText);
        memo()->setPlainText(memoText);
        for (const QChar digit : dayDigits)
            QTest::mouseClick(control<QCheckBox>(("Check" + std::to_string(digit.digitValue())).c_str()),
                              Qt::LeftButton, {}, {2, 2});
    }
    void ok() const { QTest::mouseClick(control<QPushButton>("OKButton"), Qt::LeftButton); }
    void browse() const { QTest::mouseClick(control<QPushButton>("cmdbrowse"), Qt::LeftButton); }
};

// Only the first failing check is reported; the window stays with what was typed.
struct Refusal
{
    const char* name;
    const char* time = "7:00 PM";
    const char* memo = "x";
    const char* days = "";
    const char* message;
    const char* timeAfter = time; // with the repairs OK made
};
const Refusal refusals[] = {
    {.name = "25 o'clock", .time = "25:00 PM", .memo = "", .message = messages::invalidTime},
    {.name = "no hour, repaired",
     .time = ":30 PM",
     .memo = "",
     .message = messages::invalidTime,
     .timeAfter = "00:30 PM"},
    {.name = "blank memo",
     .time = "7:pm",
     .memo = " \t ",
     .message = messages::noMemo,
     .timeAfter = "7:00pm"},
    {.name = "no day", .message = messages::noDay},
    {.name = "no folder to write in", .days = "5", .message = messages::alarmNotSaved},
};

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT
private slots:
    void refusals_data() { addRows(::refusals); }
    void refusals()
    {
        QFETCH(int, row);
        const Refusal& c = ::refusals[row];
        Editor e;
        QVERIFY(e.dialog.openNew());
        e.fill(c.time, c.memo, c.days);
        if (c.message == messages::alarmNotSaved)
            std::filesystem::remove_all(e.folder.path()); // no temporary file can be made beside Data.ini
        e.ok();
        QCOMPARE(e.messages(), QStringList{c.message});
        QVERIFY(e.dialog.isVisible());
        QCOMPARE(e.time()->currentText(), QString(c.timeAfter));
        QCOMPARE(e.memo()->toPlainText(), QString(c.memo));
        QCOMPARE(e.days(), QString(c.days));
        if (std::filesystem::exists(e.folder.path()))
            QCOMPARE(e.folder.read("Data.ini"), std::string(twoAlarms));
    }

    // Add while a change is open only brings it forward; every opening starts from the empty window; the
    // close box and Esc write nothing; Enter, also in the memo, saves.
    void openingsEscAndEnter()
    {
        Editor e;
        e.dialog.Modi(1);
        QCOMPARE(e.dialog.windowTitle(), QString("Change Alarm..."));
        QCOMPARE(e.sound(), QString("/one.wav"));
        // Browse starts at the file in the box, later at the one chosen; a cancel puts the chosen one back.
        e.fileDialog.chosen = "/chosen.wav";
        e.browse();
        e.fileDialog.chosen.reset();
        e.control<QLineEdit>("txtaction")->setText("/typed.wav");
        e.browse();
        QCOMPARE(e.sound(), QString("/chosen.wav"));
        e.memo()->setPlainText("typed");
        e.mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.mainWindow));
        QVERIFY(!e.dialog.openNew());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&e.dialog));
        QCOMPARE(e.memo()->toPlainText(), QString("typed"));
        e.dialog.Modi(2); // another alarm: the same window reloads with it, alarm 1's day and file not kept
        QCOMPARE(e.memo()->toPlainText(), QString("two"));
        QCOMPARE(e.time()->currentText(), QString("7:45 PM"));
        QCOMPARE(e.days(), QString("1357"));
        QCOMPARE(e.sound(), QString());
        e.browse();
        QCOMPARE(e.sound(), QString());
        QCOMPARE(e.fileDialog.startedAt, (std::vector<std::string>{"/one.wav", "/chosen.wav", ""}));
        e.dialog.Modi(1);
        e.dialog.close();
        QVERIFY(!e.dialog.isVisible() && !e.dialog.ModifMode());
        QVERIFY(e.dialog.openNew());
        QCOMPARE(e.dialog.windowTitle(), QString("Set Alarm..."));
        QCOMPARE(e.time()->currentText(), QString("1:00 AM"));
        QCOMPARE(e.memo()->toPlainText() + e.days() + e.sound(), QString());
        QCOMPARE(e.closed.count(), 1);
        e.fill("7:00 PM", "x", "1");
        QTest::keyClick(e.memo(), Qt::Key_Escape);
        QVERIFY(!e.dialog.isVisible());
        QCOMPARE(e.closed.count(), 2);
        QCOMPARE(e.folder.read("Data.ini"), std::string(twoAlarms));
        QVERIFY(e.dialog.openNew());
        e.fill("9:15 AM", "by Enter", "7");
        QTest::keyClick(e.memo(), Qt::Key_Return);
        QCOMPARE(e.read("Alarm", "Count"), std::string("3"));
        QCOMPARE(e.read("Alarm3", "Time") + e.read("Alarm3", "Type"), std::string("9:15 AM7"));
        QCOMPARE(e.read("Alarm3", "Memo"), std::string("by Enter"));
        // A change keeps the alarm's number and switches it on; the days come back ascending.
        e.dialog.Modi(2);
        e.ok();
        QCOMPARE(e.read("Alarm2", "State"), std::string("1"));
        QCOMPARE(e.read("Alarm2", "Type"), std::string("1357"));
        QCOMPARE(e.read("Alarm", "Count"), std::string("3"));
        e.table.ACount = 32767;
        QVERIFY(!e.dialog.openNew());
        QCOMPARE(e.messages(), QStringList{messages::noMoreAlarms});
    }

    // Test plays the chosen file, else default.wav, once at the level chosen, says why a file cannot be
    // played, and stops when pressed again or when the editor closes; OK stores the level.
    void soundLevelAndTest()
    {
        Editor e;
        e.folder.write("Data.ini", std::string(twoAlarms) + "Volume=0\nFadeIn=30\n");
        e.dialog.Modi(2);
        auto* test = e.control<QPushButton>("cmdTest");
        const fakes::SoundLog& log = e.sounds.log;
        QTest::keyClick(e.control<QSlider>("sldVolume"), Qt::Key_PageUp);
        QTest::keyClick(e.control<QComboBox>("cmbFadeIn"), Qt::Key_Down);
        QCOMPARE(e.control<QLabel>("lblVolumeValue")->text(), QString("10 %"));
        QTest::mouseClick(test, Qt::LeftButton);
        QVERIFY(log.alive == 1 && log.level.volume == 10 && log.level.fadeInSeconds == 60);
        QCOMPARE(test->text(), QString("&Stop"));
        QTest::mouseClick(test, Qt::LeftButton);
        QCOMPARE(log.alive, 0);
        QCOMPARE(test->text(), QString("&Test"));
        e.sounds.log.failing["/bad.ogg"] = "unsupported format";
        e.control<QLineEdit>("txtaction")->setText("/bad.ogg");
        QTest::mouseClick(test, Qt::LeftButton);
        QTRY_COMPARE(e.control<QLabel>("lblTestResult")->text(),
                     QString("The file could not be played: unsupported format."));
        e.sounds.log.failing.clear();
        QTest::mouseClick(test, Qt::LeftButton);
        e.ok();
        QCOMPARE(log.alive, 0);
        QCOMPARE(log.filesStarted,
                 (std::vector<std::string>{e.files.defaultSound(), "/bad.ogg", "/bad.ogg"}));
        QCOMPARE(e.read("Alarm2", "Volume") + " " + e.read("Alarm2", "FadeIn"), std::string("10 60"));
    }
};

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
