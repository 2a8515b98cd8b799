// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm editor as the user fills it, against a real Data.ini: what OK stores and loads again, what
// it refuses and says, what Cancel, Esc and Enter leave.
#include "FakeServices.h"
#include "store/AlarmLoad.h"
#include "ui/editor/Dialog.h"

#include <QCheckBox>

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
    // An alarm as "State|Type|Time|Memo|Sound".
    QString stored(int index) const
    {
        QStringList values;
        for (const char* key : {"State", "Type", "Time", "Memo", "Sound"})
            values << QString::fromStdString(read("Alarm" + std::to_string(index), key));
        return values.join('|');
    }
    template <typename T> T* control(const char* name) const { return dialog.findChild<T*>(name); }
    QComboBox* time() const { return control<QComboBox>("cmbtime2"); }
    QPlainTextEdit* memo() const { return control<QPlainTextEdit>("txtMemo"); }
    QLineEdit* sound() const { return control<QLineEdit>("txtaction"); }
    QString days() const { return QString::fromStdString(dialog.GetType()); } // the marked boxes' digits
    void fill(const QString& timeText, const QString& memoText, const QString& dayDigits)
    {
        time()->setEditText(timeText);
        memo()->setPlainText(memoText);
        for (const QChar digit : dayDigits)
            control<QCheckBox>(("Check" + std::to_string(digit.digitValue())).c_str())->setChecked(true);
    }
    void ok() const { control<QPushButton>("OKButton")->click(); }
    QString state() const // "shown|time|memo|days|sound|closings"
    {
        return QString("%1|%2|%3|%4|%5|%6")
            .arg(QString(dialog.isVisible() ? "shown" : "hidden"), time()->currentText(),
                 memo()->toPlainText(), days(), sound()->text(), QString::number(closed.count()));
    }
};

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT
private slots:
    // Only the first failing check is reported; the window stays with what was typed.
    void refusals()
    {
        const char* const notSaved = "The alarm could not be saved.";
        for (const auto& [timeText, memoText, dayDigits, message, boxAfter] :
             {std::tuple{"25:00 PM", "", "", "Please type a valid time!", "25:00 PM"},
              {":30 PM", "", "", "Please type a valid time!", "00:30 PM"},
              {"7:PM", " \t\n ", "", "Please type a Memo!", "7:00PM"},
              {"7:00 PM", "x", "", "Please at least Mark one day!", "7:00 PM"},
              {"7:00 PM", "x", "5", notSaved, "7:00 PM"}}) {
            Editor e;
            const std::string before = e.folder.read("Data.ini");
            QVERIFY(e.dialog.openNew());
            e.fill(timeText, memoText, dayDigits);
            if (message == notSaved)
                std::filesystem::remove_all(e.folder.path()); // no temporary file can be made beside Data.ini
            e.ok();
            QCOMPARE(e.messages(), QStringList{message});
            QCOMPARE(e.state(), QString("shown|%1|%2|%3||0").arg(boxAfter, memoText, dayDigits));
            if (std::filesystem::exists(e.folder.path()))
                QCOMPARE(e.folder.read("Data.ini"), before);
        }
        // Add itself refuses a full table.
        Editor e;
        e.table.ACount = 32767;
        QVERIFY(!e.dialog.openNew());
        QCOMPARE(e.messages(), QStringList{"No more alarms can be added."});
    }

    // Add while a change is open only brings it forward; the close box and Esc write nothing; Enter, also
    // in the memo, saves.
    void addWhileAChangeIsOpenEscAndEnter()
    {
        Editor e;
        const std::string before = e.folder.read("Data.ini");
        e.dialog.Modi(1);
        e.memo()->setPlainText("typed into one");
        QVERIFY(!e.dialog.openNew());
        QCOMPARE(e.memo()->toPlainText(), QStringLiteral("typed into one"));
        e.dialog.Modi(2); // another alarm: the same window reloads with it, alarm 1's days not left marked
        QCOMPARE(e.state().section('|', 2), QStringLiteral("two|1357||0"));
        e.dialog.close();
        QVERIFY(!e.dialog.isVisible() && !e.dialog.ModifMode());
        QVERIFY(e.dialog.openNew()); // starts from the empty window
        QCOMPARE(e.state(), QStringLiteral("shown|1:00 AM||||1"));
        e.fill("7:00 PM", "x", "1");
        QTest::keyClick(e.memo(), Qt::Key_Escape);
        QVERIFY(e.state().startsWith("hidden") && e.state().endsWith("|2"));
        QCOMPARE(e.folder.read("Data.ini"), before);
        QVERIFY(e.dialog.openNew());
        e.fill("9:15 AM", "by Enter", "7");
        QTest::keyClick(e.memo(), Qt::Key_Return);
        QCOMPARE(e.stored(3), QString("1|7|9:15 AM|by Enter|"));
        // A change keeps the alarm's number and switches it on; the days come back ascending.
        e.dialog.Modi(2);
        e.ok();
        QCOMPARE(e.stored(2), QString("1|1357|7:45 PM|two|"));
        QCOMPARE(e.read("Alarm", "Count"), std::string("3"));
    }
};

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
