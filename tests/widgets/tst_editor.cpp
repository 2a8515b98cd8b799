// The alarm editor as the user fills it, against a real Data.ini: what OK stores and loads again, what
// it refuses and says, what Cancel, Esc, Enter and Browse leave, and the ringing window in front of it.
#include "FakeServices.h"
#include "platform/qt/QtDialogs.h"
#include "store/AlarmLoad.h"
#include "ui/editor/Dialog.h"
#include "ui/notify/frmalarm.h"

#include <QCheckBox>
#include <QTimer>

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
        reload();
    }
    bool reload() { return store::loadAlarmTable(table, platform::dataIniPath(files), files, locale); }
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
    // Every text the check accepts is stored as the box shows it and loads as the time meant.
    void okStoresWhatLoadsAsMeant()
    {
        // A change (of alarm 2) keeps its number and switches the alarm on; the days come back ascending.
        for (const auto& [change, typed, storedAs, meant] :
             {std::tuple{0, "7:30 PM", "1|246|7:30 PM|memo|/s.wav", "19:30"},
              {0, "7: PM", "1|246|7:00 PM|memo|/s.wav", "19:00"},
              {2, "", "1|1357|7:45 PM|two|", "19:45"}}) {
            Editor e;
            const int index = change > 0 ? change : 3;
            if (change > 0) {
                e.dialog.Modi(static_cast<std::int16_t>(change));
            } else {
                QVERIFY(e.dialog.openNew());
                e.fill(typed, "memo", "246");
                e.sound()->setText("/s.wav");
            }
            e.ok();
            QCOMPARE(e.messages(), QStringList());
            QVERIFY(e.state().startsWith("hidden") && e.state().endsWith("|1") && !e.dialog.ModifMode());
            QCOMPARE(e.stored(index), QString(storedAs));
            QCOMPARE(e.stored(1), QString("1|1|6:00 AM|one|/one.wav"));
            QCOMPARE(e.read("Alarm", "Count"), std::to_string(std::max(index, 2)));
            QVERIFY(e.reload());
            const auto& clock = e.table.AClock[static_cast<std::size_t>(index)];
            QVERIFY(clock.valid);
            QCOMPARE(QString::asprintf("%02d:%02d", clock.hour, clock.minute), QString(meant));
        }
    }

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

    // Add while a change is open only brings it forward; the close box and Esc write nothing; Enter in the
    // time box saves.
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
        QTest::keyClick(e.time()->lineEdit(), Qt::Key_Return);
        QCOMPARE(e.stored(3), QString("1|7|9:15 AM|by Enter|"));
    }

    // Enter in the memo presses OK like Enter anywhere in the editor; Ctrl+Enter ('|') breaks the line,
    // stored as two blanks and counted as two toward what the store keeps; the box shows no more than is
    // kept. A refused OK (empty stored) leaves the memo as typed.
    void enterSavesAndCtrlEnterBreaksTheMemo()
    {
        const QString a250(250, 'a');
        for (const auto& [typed, key, dayMarked, stored] :
             {std::tuple{QString("Wake up"), Qt::Key_Return, true, QString("Wake up")},
              {"Wake", Qt::Key_Enter, true, "Wake"},
              {"Wake|up", Qt::Key_Return, true, "Wake  up"},
              {a250 + "|bcdef", Qt::Key_Return, true, a250 + "  bc"},
              {"Wake|up", Qt::Key_Return, false, ""}}) {
            Editor e;
            QVERIFY(e.dialog.openNew());
            e.fill("7:00 AM", "", dayMarked ? "2" : "");
            e.memo()->setFocus();
            const QStringList lines = typed.split('|');
            for (qsizetype line = 0; line < lines.size(); ++line) {
                if (line > 0)
                    QTest::keyClick(e.memo(), Qt::Key_Return, Qt::ControlModifier);
                QTest::keyClicks(e.memo(), lines[line]);
            }
            const QString shown = e.memo()->toPlainText();
            QTest::keyClick(e.memo(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(e.dialog.isVisible(), stored.isEmpty());
            QCOMPARE(e.messages().size(), qsizetype(stored.isEmpty()));
            QCOMPARE(stored.isEmpty() ? e.memo()->toPlainText()
                                      : QString::fromStdString(e.read("Alarm3", "Memo")),
                     stored.isEmpty() ? QString(typed).replace('|', '\n') : stored);
            if (!stored.isEmpty())
                QCOMPARE(QString(shown).replace('\n', "  "), stored);
        }
    }

    // With Add open the ringing window still comes back in front; only a message box, which must be
    // answered first (the program's own, as the alarm's invalid duration shows it), keeps it back.
    void ringingWindowReturnsUnlessABoxWaits()
    {
        for (const bool boxWaits : {false, true}) {
            Editor e;
            QVERIFY(e.dialog.openNew());
            FakeOwner owner;
            notify::frmalarm alarm(owner, e.files, e.dialogs, e.sounds);
            alarm.show();
            bool minimised = false;
            const auto tick = [&] {
                alarm.showMinimized();
                alarm.Timer1_Timer();
                minimised = alarm.isMinimized();
                if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box != &e.dialog)
                    box->close();
            };
            if (boxWaits) {
                QTimer::singleShot(0, &alarm, tick);
                platform::QtDialogs().showMessage(platform::MessageIcon::Critical, "Wakery",
                                                  "Please enter a valid duration.");
            } else {
                tick();
            }
            QCOMPARE(minimised, boxWaits);
        }
    }

    void browseThenCancel()
    {
        Editor e;
        QVERIFY(e.dialog.openNew());
        auto* browse = e.control<QPushButton>("cmdbrowse");
        e.sound()->setText("/typed/by/hand.wav");
        browse->click(); // cancelled, nothing chosen before: the box empties
        QCOMPARE(e.sound()->text(), QString());
        QCOMPARE(e.fileDialog.asked.at(0).startPath, std::string("/typed/by/hand.wav"));
        e.fileDialog.answers.push_back("/sounds/chosen.wav");
        browse->click();
        e.sound()->setText("/typed/again.wav");
        browse->click(); // cancelled: the earlier choice comes back
        QCOMPARE(e.sound()->text(), QStringLiteral("/sounds/chosen.wav"));
        QCOMPARE(e.fileDialog.asked.back().startPath, std::string("/sounds/chosen.wav"));
    }

    // Texts are cut to the 254 bytes the store gives back, before a character that would not fit whole.
    void longTextIsCutVisibly()
    {
        Editor e;
        QVERIFY(e.dialog.openNew());
        e.memo()->setPlainText(QString(200, QChar(0xE9)));
        QCOMPARE(e.memo()->toPlainText(), QString(127, QChar(0xE9)));
        e.sound()->setText(QString(300, QLatin1Char('s')));
        QCOMPARE(e.sound()->text(), QString(254, QLatin1Char('s')));
        e.time()->setEditText("10:30 PM" + QString(300, QLatin1Char('!')));
        e.fill(e.time()->currentText(), e.memo()->toPlainText(), "1");
        e.ok();
        QVERIFY(e.reload());
        QCOMPARE(QString::fromStdString(e.table.AMemo[3]), QString(127, QChar(0xE9)));
        QCOMPARE(e.table.ASound[3], std::string(254, 's'));
        QCOMPARE(e.table.AStoredTime[3], e.time()->currentText().toStdString());
        QVERIFY(e.table.AClock[3].valid);
    }
};

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
