// The alarm editor against a real Data.ini in a fresh folder, with message boxes and the open-file dialog
// faked so that nothing waits for a user.
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileDialog.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/Services.h"
#include "platform/StdFiles.h"
#include "store/AlarmLoad.h"
#include "store/ini.h"
#include "ui/editor/Dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <filesystem>
#include <memory>

namespace {

class NoSounds : public platform::SoundPlayerFactory
{
public:
    std::unique_ptr<platform::SoundPlayer> create() override { return nullptr; }
};

const QStringList timeList{"1:00 AM", "2:00 AM", "3:00 AM", "4:00 AM",  "5:00 AM",  "6:00 AM",
                           "7:00 AM", "8:00 AM", "9:00 AM", "10:00 AM", "11:00 AM", "12:00 AM",
                           "1:00 PM", "2:00 PM", "3:00 PM", "4:00 PM",  "5:00 PM",  "6:00 PM",
                           "7:00 PM", "8:00 PM", "9:00 PM", "10:00 PM", "11:00 PM", "12:00 PM"};

// An alarm is written here as "State|Type|Time|Memo|Sound"; "<absent>" stands for a key not in the file.
const std::array<const char*, 5> alarmKeys{"State", "Type", "Time", "Memo", "Sound"};

// Everything one test needs: a program folder, the fakes, the main window's table and the editor.
struct Editor
{
    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    fakes::FakeLocaleTime locale;
    fakes::FakeDialogs dialogs;
    fakes::FakeFileDialog fileDialog;
    NoSounds sounds;
    platform::Services services{clock, locale, files, dialogs, fileDialog, sounds};
    store::AlarmTable table;
    QWidget mainWindow;
    Dialog dialog{services, table, &mainWindow};
    QSignalSpy closed{&dialog, &Dialog::editorClosed};

    Editor() { mainWindow.show(); }

    std::string ini() const { return platform::dataIniPath(files); }
    std::string count() const { return ini::ReadIni(ini(), "Alarm", "Count", ""); }
    std::string read(std::int16_t index, const char* key) const
    {
        return ini::ReadIni(ini(), "Alarm" + std::to_string(index), key, "<absent>");
    }
    std::string stored(std::int16_t index) const
    {
        std::string joined = read(index, alarmKeys[0]);
        for (std::size_t k = 1; k < alarmKeys.size(); ++k)
            joined += "|" + read(index, alarmKeys[k]);
        return joined;
    }
    // Stores alarms as the editor would and loads them into the table, as the main window does.
    [[nodiscard]] bool store(const std::vector<std::string>& alarms)
    {
        std::vector<ini::KeyWrite> writes{{"Alarm", "Count", std::to_string(alarms.size())}};
        for (std::size_t i = 0; i < alarms.size(); ++i) {
            const QStringList values = QString::fromStdString(alarms[i]).split(QLatin1Char('|'));
            for (std::size_t k = 0; k < alarmKeys.size(); ++k) {
                const std::string value = values.at(static_cast<qsizetype>(k)).toStdString();
                if (value != "<absent>")
                    writes.push_back({"Alarm" + std::to_string(i + 1), alarmKeys[k], value});
            }
        }
        return ini::WriteIniKeys(ini(), writes) && reload();
    }
    [[nodiscard]] bool reload() { return store::loadAlarmTable(table, ini(), files, locale); }

    template <typename T> T* control(const char* name) const { return dialog.findChild<T*>(name); }
    QComboBox* time() const { return control<QComboBox>("cmbtime2"); }
    QPlainTextEdit* memo() const { return control<QPlainTextEdit>("txtMemo"); }
    QLineEdit* sound() const { return control<QLineEdit>("txtaction"); }
    QCheckBox* day(int number) const
    {
        return control<QCheckBox>(("Check" + std::to_string(number)).c_str());
    }
    QString days() const { return QString::fromStdString(dialog.GetType()); } // the marked boxes' digits
    void fill(const QString& timeText, const QString& memoText, const QString& dayDigits)
    {
        time()->setEditText(timeText);
        memo()->setPlainText(memoText);
        for (const QChar digit : dayDigits)
            day(digit.digitValue())->setChecked(true);
    }
    void ok() const { control<QPushButton>("OKButton")->click(); }
    void cancel() const { control<QPushButton>("CancelButton")->click(); }
    QStringList listEntries() const
    {
        QStringList entries;
        for (int i = 0; i < time()->count(); ++i)
            entries << time()->itemText(i);
        return entries;
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : dialogs.shown) {
            if (shown.icon != platform::MessageIcon::Critical || shown.title != "Wakery")
                texts << QStringLiteral("<not a critical Wakery box>");
            texts << QString::fromStdString(shown.text);
        }
        return texts;
    }
};

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT
private slots:
    void changeKeepsCountAndSwitchesOn();
    void newAlarmLoadsAsMeant_data();
    void newAlarmLoadsAsMeant();
    void onlyFirstFailingCheckIsReported_data();
    void onlyFirstFailingCheckIsReported();
    void browseThenCancel();
    void addAndSecondEditWhileChangeIsOpen();
    void failedWriteKeepsEverything_data();
    void failedWriteKeepsEverything();
    void refusals();
    void keyboardAndCloseBox();
    void longTextIsCutVisibly();
};

void EditorTest::changeKeepsCountAndSwitchesOn()
{
    Editor e;
    QVERIFY(e.store({"1|1|6:00 AM|first|", "0|7531|6:15 AM|Old memo|/x/old.wav", "1|2|8:00 AM|third|",
                     "1|<absent>|9:00 AM|m|", "1||9:00 AM|m|"}));
    e.dialog.Modi(2);
    QVERIFY(e.dialog.isVisible());
    QCOMPARE(e.dialog.windowModality(), Qt::NonModal);
    QCOMPARE(e.dialog.windowTitle(), QStringLiteral("Change Alarm..."));

    e.ok(); // what was loaded is written back, switched on, under the same number
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());
    QCOMPARE(e.count(), std::string("5"));
    QCOMPARE(e.stored(2), std::string("1|1357|6:15 AM|Old memo|/x/old.wav"));
    QCOMPARE(e.stored(1) + "," + e.stored(3), std::string("1|1|6:00 AM|first|,1|2|8:00 AM|third|"));
    QCOMPARE(e.closed.count(), 1);

    // Odd day sets (the mapping itself is in tst_timeentry): a missing key marks Sunday, an empty one
    // nothing.
    e.dialog.Modi(4);
    QCOMPARE(e.days(), QStringLiteral("1"));
    e.cancel();
    e.dialog.Modi(5);
    QCOMPARE(e.days(), QString());
}

// Every text the check accepts loads as the time meant; here end to end from the box to the main window's
// table, and the full grid of texts in tst_timeentry.
void EditorTest::newAlarmLoadsAsMeant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::newRow("7:30 PM") << "7:30 PM" << 19 << 30;
    QTest::newRow("12:00 AM is midnight") << "12:00 AM" << 0 << 0;
    QTest::newRow("repaired 7:PM") << "7:PM" << 19 << 0;
    QTest::newRow("blanks around") << "  11:59 pm " << 23 << 59;
    QTest::newRow("half a minute") << "6:.5 AM" << 6 << 0;
}

void EditorTest::newAlarmLoadsAsMeant()
{
    QFETCH(QString, typed);
    QFETCH(int, hour);
    QFETCH(int, minute);
    Editor e;
    QVERIFY(e.dialog.openNew()); // returns at once: the window is shown, not run
    QCOMPARE(e.dialog.windowModality(), Qt::WindowModal);
    e.fill(typed, "  Wake up  ", "246");
    e.sound()->setText("/sounds/bell.wav");
    e.ok();

    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.messages(), QStringList());
    QCOMPARE(e.count(), std::string("1"));
    QCOMPARE(e.read(1, "State") + e.read(1, "Type") + e.read(1, "Sound"),
             std::string("1246/sounds/bell.wav"));
    // Blanks around the memo reach the file as typed.
    QVERIFY(QString::fromStdString(e.folder.read("Data.ini"))
                .contains(QRegularExpression(QStringLiteral("^Memo=  Wake up  \\r?$"),
                                             QRegularExpression::MultilineOption)));
    QCOMPARE(e.closed.count(), 1);
    QCOMPARE(e.closed.at(0).at(0).toBool(), true);

    QVERIFY(e.reload());
    QVERIFY(e.table.AClock[1].valid);
    QCOMPARE(e.table.AClock[1].hour, hour);
    QCOMPARE(e.table.AClock[1].minute, minute);
}

void EditorTest::onlyFirstFailingCheckIsReported_data()
{
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("memoText");
    QTest::addColumn<QString>("dayDigits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("boxAfter");
    auto row = [](const char* name, const char* timeText, const char* memoText, const char* dayDigits,
                  const char* message, const char* boxAfter) {
        QTest::newRow(name) << timeText << memoText << dayDigits << message << boxAfter;
    };
    row("all three wrong", "25:00 PM", "", "", "Please type a valid time!", "25:00 PM");
    row("hour repaired, still wrong", ":30 PM", "", "", "Please type a valid time!", "00:30 PM");
    row("memo of blanks", "7:PM", "   ", "", "Please type a Memo!", "7:00PM");
    row("memo of blank lines", "7:00 PM", " \n \n", "1", "Please type a Memo!", "7:00 PM");
    row("no day", "7:00 PM", "x", "", "Please at least Mark one day!", "7:00 PM");
}

void EditorTest::onlyFirstFailingCheckIsReported()
{
    QFETCH(QString, timeText);
    QFETCH(QString, memoText);
    QFETCH(QString, dayDigits);
    QFETCH(QString, message);
    QFETCH(QString, boxAfter);
    Editor e;
    QVERIFY(e.dialog.openNew());
    e.fill(timeText, memoText, dayDigits);
    e.ok();
    QCOMPARE(e.messages(), QStringList{message});
    QVERIFY(e.dialog.isVisible());
    QCOMPARE(e.time()->currentText(), boxAfter);
    QCOMPARE(e.memo()->toPlainText(), memoText);
    QCOMPARE(e.days(), dayDigits);
    QVERIFY(!std::filesystem::exists(e.ini()));
    QCOMPARE(e.closed.count(), 0);
}

void EditorTest::browseThenCancel()
{
    Editor e;
    QVERIFY(e.dialog.openNew());
    auto* browse = e.control<QPushButton>("cmdbrowse");

    e.sound()->setText("/typed/by/hand.wav");
    browse->click(); // cancelled, nothing chosen before: the box empties
    QCOMPARE(e.sound()->text(), QString());
    QCOMPARE(e.fileDialog.asked.size(), std::size_t{1});
    QCOMPARE(e.fileDialog.asked[0].startPath, std::string("/typed/by/hand.wav"));

    e.fileDialog.answers.push_back("/sounds/chosen.wav");
    browse->click();
    QCOMPARE(e.sound()->text(), QStringLiteral("/sounds/chosen.wav"));

    e.sound()->setText("/typed/again.wav");
    browse->click(); // cancelled: the earlier choice comes back
    QCOMPARE(e.sound()->text(), QStringLiteral("/sounds/chosen.wav"));
    QCOMPARE(e.fileDialog.asked.back().startPath, std::string("/sounds/chosen.wav"));

    // A new opening forgets the earlier choice.
    e.cancel();
    QVERIFY(e.dialog.openNew());
    e.sound()->setText("/typed.wav");
    browse->click();
    QCOMPARE(e.sound()->text(), QString());
}

void EditorTest::addAndSecondEditWhileChangeIsOpen()
{
    Editor e;
    QVERIFY(e.store({"1|1357|6:00 AM|one|/one.wav", "0|26|7:45 PM|two|"}));
    e.dialog.Modi(1);
    e.memo()->setPlainText("typed into one");
    QVERIFY(!e.dialog.openNew()); // Add only brings the change to the front
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("typed into one"));
    QCOMPARE(e.dialog.windowModality(), Qt::NonModal);
    QCOMPARE(e.messages(), QStringList());
    e.dialog.Modi(2); // another alarm: the same window reloads with it

    QCOMPARE(e.listEntries(), timeList);
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("two"));
    QCOMPARE(e.days(), QStringLiteral("26")); // alarm 1's days are not left marked
    QCOMPARE(e.sound()->text(), QString());
    QCOMPARE(e.time()->currentText(), QStringLiteral("7:45 PM"));

    e.ok();
    QCOMPARE(e.stored(1), std::string("1|1357|6:00 AM|one|/one.wav"));
    QCOMPARE(e.stored(2), std::string("1|26|7:45 PM|two|"));
    QCOMPARE(e.count(), std::string("2"));
    QCOMPARE(e.closed.count(), 1); // the reload did not close and reopen the window

    // Add after a change starts from the empty window.
    QVERIFY(e.dialog.openNew());
    QCOMPARE(e.dialog.windowTitle(), QStringLiteral("Set Alarm..."));
    QCOMPARE(e.listEntries(), timeList);
    QCOMPARE(e.time()->currentText(), QStringLiteral("1:00 AM"));
    QCOMPARE(e.days(), QString());
    QVERIFY(e.memo()->toPlainText().isEmpty() && e.sound()->text().isEmpty());
}

void EditorTest::failedWriteKeepsEverything_data()
{
    QTest::addColumn<bool>("change");
    QTest::newRow("new alarm") << false;
    QTest::newRow("changed alarm") << true;
}

void EditorTest::failedWriteKeepsEverything()
{
    QFETCH(bool, change);
    Editor e;
    QVERIFY(e.store({"1|1|6:00 AM|one|"}));
    if (change)
        e.dialog.Modi(1);
    else
        QVERIFY(e.dialog.openNew());
    e.fill("7:PM", "kept", "5");
    // The folder disappears under the open editor: no temporary file can be made beside Data.ini.
    std::filesystem::remove_all(e.folder.path());

    e.ok();
    QCOMPARE(e.messages(), QStringList{"The alarm could not be saved."});
    QVERIFY(e.dialog.isVisible());
    QCOMPARE(e.dialog.ModifMode(), change);
    QCOMPARE(e.time()->currentText(), QStringLiteral("7:00PM"));
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(e.days(), change ? QStringLiteral("15") : QStringLiteral("5"));
    QCOMPARE(e.closed.count(), 0);

    // Once the folder is back, the same OK saves.
    std::filesystem::create_directories(e.folder.path());
    e.ok();
    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.read(change ? 1 : 2, "Memo"), std::string("kept"));
}

void EditorTest::refusals()
{
    Editor e;
    e.table.ACount = 1;
    e.dialog.Modi(1); // no Data.ini: nothing opens, nothing is said
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());
    QCOMPARE(e.messages(), QStringList());

    e.table.ACount = 32767;
    QVERIFY(!e.dialog.openNew());
    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.messages(), QStringList{"No more alarms can be added."});
    QVERIFY(!std::filesystem::exists(e.ini()));
}

// Esc and the close box write nothing; Enter in the time box saves.
void EditorTest::keyboardAndCloseBox()
{
    Editor e;
    QVERIFY(e.store({"1|1|6:00 AM|one|"}));
    const std::string before = e.folder.read("Data.ini");

    QVERIFY(e.dialog.openNew());
    e.fill("7:00 PM", "x", "1");
    QTest::keyClick(e.memo(), Qt::Key_Escape);
    QVERIFY(!e.dialog.isVisible());

    e.dialog.Modi(1);
    e.fill("8:00 PM", "y", "2");
    e.dialog.close(); // the title bar's close box
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());

    QCOMPARE(e.folder.read("Data.ini"), before);
    QCOMPARE(e.closed.count(), 2);
    QCOMPARE(e.closed.at(0).at(0).toBool() || e.closed.at(1).at(0).toBool(), false);

    QVERIFY(e.dialog.openNew());
    e.fill("9:15 AM", "by Enter", "7");
    e.time()->setFocus();
    QTest::keyClick(e.time()->lineEdit(), Qt::Key_Return);
    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.read(2, "Time"), std::string("9:15 AM"));
    QCOMPARE(e.listEntries(), timeList); // what was typed did not join the list
}

void EditorTest::longTextIsCutVisibly()
{
    Editor e;
    QVERIFY(e.dialog.openNew());
    // Two-byte characters: 127 fill the 254 bytes the store gives back.
    e.memo()->setPlainText(QString(200, QChar(0xE9)));
    QCOMPARE(e.memo()->toPlainText(), QString(127, QChar(0xE9)));
    e.sound()->setText(QString(300, QLatin1Char('s')));
    QCOMPARE(e.sound()->text(), QString(254, QLatin1Char('s')));

    // Whatever follows the marker letter is not read, but it is stored: the time box is held to 254 bytes
    // too, so what loads is what the box showed.
    e.time()->setEditText("10:30 PM" + QString(300, QLatin1Char('!')));
    QCOMPARE(e.time()->currentText().size(), 254);
    e.day(1)->setChecked(true);
    e.ok();
    QVERIFY(e.reload());
    QCOMPARE(QString::fromStdString(e.table.AMemo[1]), QString(127, QChar(0xE9)));
    QCOMPARE(e.table.ASound[1], std::string(254, 's'));
    QCOMPARE(e.table.AStoredTime[1], e.time()->currentText().toStdString());
    QVERIFY(e.table.AClock[1].valid);
}

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
