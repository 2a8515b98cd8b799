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
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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
    std::string read(std::int16_t index, const char* key) const
    {
        return ini::ReadIni(ini(), "Alarm" + std::to_string(index), key, "<absent>");
    }
    // Stores alarms as the editor would and loads them into the table, as the main window does.
    [[nodiscard]] bool store(const std::vector<std::vector<ini::KeyWrite>>& alarms)
    {
        std::vector<ini::KeyWrite> writes{{"Alarm", "Count", std::to_string(alarms.size())}};
        for (std::size_t i = 0; i < alarms.size(); ++i) {
            for (const auto& write : alarms[i])
                writes.push_back({"Alarm" + std::to_string(i + 1), write.key, write.value});
        }
        return ini::WriteIniKeys(ini(), writes) && reload();
    }
    [[nodiscard]] bool reload() { return store::loadAlarmTable(table, ini(), files, locale); }

    template <typename T> T* control(const char* name) const
    {
        auto* found = dialog.findChild<T*>(QLatin1String(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }
    QComboBox* time() const { return control<QComboBox>("cmbtime2"); }
    QPlainTextEdit* memo() const { return control<QPlainTextEdit>("txtMemo"); }
    QLineEdit* sound() const { return control<QLineEdit>("txtaction"); }
    QCheckBox* day(int number) const
    {
        return control<QCheckBox>(("Check" + std::to_string(number)).c_str());
    }
    QString days() const
    {
        QString marked;
        for (int number = 1; number <= 7; ++number) {
            if (day(number)->isChecked())
                marked += QString::number(number);
        }
        return marked;
    }
    void fill(const QString& timeText, const QString& memoText, const QString& dayDigits)
    {
        time()->setEditText(timeText);
        memo()->setPlainText(memoText);
        for (const QChar digit : dayDigits)
            day(digit.digitValue())->setChecked(true);
    }
    void ok() const { control<QPushButton>("OKButton")->click(); }
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

std::vector<ini::KeyWrite> alarm(const char* type, const char* timeText, const char* memoText,
                                 const char* state = "1", const char* soundPath = "")
{
    return {{"", "State", state},
            {"", "Type", type},
            {"", "Time", timeText},
            {"", "Memo", memoText},
            {"", "Sound", soundPath}};
}

} // namespace

class EditorTest : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void newAlarmOnEmptyStore();
    void changeKeepsCountAndSwitchesOn();
    void savedTimeLoadsAsMeant_data();
    void savedTimeLoadsAsMeant();
    void onlyFirstFailingCheckIsReported_data();
    void onlyFirstFailingCheckIsReported();
    void storedDaySetOpens_data();
    void storedDaySetOpens();
    void browseThenCancel();
    void listHoldsItsEntriesOnce();
    void addWhileChangeIsOpen();
    void secondEditLoadsTheOtherAlarm();
    void deleteUnderTheEditor();
    void failedWriteKeepsEverything_data();
    void failedWriteKeepsEverything();
    void noMoreAlarms();
    void editWithoutDataIni();
    void escapeAndCloseWriteNothing();
    void enterInTimeBoxSaves();
    void longTextIsCutVisibly();
    void notificationWindowStaysUsable();
};

void EditorTest::layout()
{
    Editor e;
    QCOMPARE(e.dialog.size(), QSize(365, 253));
    QCOMPARE(e.dialog.minimumSize(), e.dialog.maximumSize());
    const auto flags = e.dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint) && !(flags & Qt::WindowMaximizeButtonHint));

    struct Place
    {
        const char* name;
        QRect rect;
        const char* caption;
    };
    const Place places[] = {
        {"OKButton", {280, 8, 81, 25}, "OK"},
        {"CancelButton", {280, 40, 81, 25}, "Cancel"},
        {"cmbtime2", {48, 16, 100, 21}, nullptr},
        {"Label8", {56, 41, 81, 9}, "HH:MM AM/PM"},
        {"Check1", {8, 71, 47, 20}, "Sun"},
        {"Check6", {232, 71, 47, 20}, "Fri"},
        {"Check7", {264, 71, 47, 20}, "Sat"},
        {"Label5", {8, 16, 38, 19}, "Time :"},
        {"txtMemo", {8, 112, 349, 89}, nullptr},
        {"Label1", {8, 96, 42, 13}, "Memo :"},
        {"cmdbrowse", {296, 224, 65, 21}, "Browse"},
        {"txtaction", {8, 224, 281, 21}, nullptr},
        {"Label2", {8, 208, 240, 13}, "Sound file to play (Blank=Default Sound) :"},
    };
    for (const Place& place : places) {
        auto* widget = e.control<QWidget>(place.name);
        QCOMPARE(widget->geometry(), place.rect);
        if (place.caption == nullptr)
            continue;
        const QString caption = widget->property("text").toString();
        QCOMPARE(caption, QString::fromUtf8(place.caption));
    }

    QVERIFY(e.control<QPushButton>("OKButton")->isDefault());
    QCOMPARE(e.control<QPushButton>("OKButton")->toolTip(), QStringLiteral("save and close."));
    QCOMPARE(e.time()->toolTip(), QStringLiteral("Select from the list or enter a time(HH:MM AM/PM)."));
    QCOMPARE(e.sound()->toolTip(), QStringLiteral("Specify the path of a file"));
    QCOMPARE(e.memo()->font().styleHint(), QFont::Serif);
    QVERIFY(e.memo()->font().bold());
    QVERIFY(e.control<QLabel>("Label2")->font().bold());

    // Tab walks the controls in their designed order.
    QStringList order;
    QWidget* widget = e.control<QWidget>("OKButton");
    for (int step = 0; step < 11; ++step) {
        order << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget->objectName().isEmpty() || widget->focusPolicy() == Qt::NoFocus);
    }
    QCOMPARE(order, (QStringList{"OKButton", "CancelButton", "cmbtime2", "Check1", "Check2", "Check3",
                                 "Check4", "Check5", "Check6", "Check7", "txtMemo"}));
    QCOMPARE(widget->objectName(), QStringLiteral("cmdbrowse"));
}

void EditorTest::newAlarmOnEmptyStore()
{
    Editor e;
    bool filled = false;
    QTimer::singleShot(0, &e.dialog, [&] {
        QCOMPARE(e.dialog.windowTitle(), QStringLiteral("Set Alarm..."));
        QCOMPARE(e.time()->currentText(), QStringLiteral("1:00 AM"));
        QCOMPARE(e.days(), QString());
        QVERIFY(e.memo()->toPlainText().isEmpty() && e.sound()->text().isEmpty());
        e.fill("7:30 PM", "  Wake up  ", "246");
        e.sound()->setText("/sounds/bell.wav");
        e.ok();
        filled = true;
    });
    QVERIFY(e.dialog.openNew());
    QCOMPARE(e.dialog.windowModality(), Qt::WindowModal);
    QTRY_VERIFY(filled);

    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.messages(), QStringList());
    QCOMPARE(ini::ReadIni(e.ini(), "Alarm", "Count", ""), std::string("1"));
    QCOMPARE(e.read(1, "State"), std::string("1"));
    QCOMPARE(e.read(1, "Type"), std::string("246"));
    QCOMPARE(e.read(1, "Time"), std::string("7:30 PM"));
    QCOMPARE(e.read(1, "Sound"), std::string("/sounds/bell.wav"));
    // Blanks around the memo reach the file as typed.
    QVERIFY(QString::fromStdString(e.folder.read("Data.ini"))
                .contains(QRegularExpression(QStringLiteral("^Memo=  Wake up  \\r?$"),
                                             QRegularExpression::MultilineOption)));
    QCOMPARE(e.closed.count(), 1);
    QCOMPARE(e.closed.at(0).at(0).toBool(), true);

    QVERIFY(e.reload());
    QCOMPARE(e.table.ACount, std::int16_t{1});
    QVERIFY(e.table.AClock[1].valid);
    QCOMPARE(e.table.AClock[1].hour, 19);
    QCOMPARE(e.table.AClock[1].minute, 30);
}

void EditorTest::changeKeepsCountAndSwitchesOn()
{
    Editor e;
    QVERIFY(e.store({alarm("1", "6:00 AM", "first"), alarm("7531", "6:15 AM", "Old memo", "0", "/x/old.wav"),
                     alarm("2", "8:00 AM", "third")}));
    e.dialog.Modi(2);
    QVERIFY(e.dialog.isVisible());
    QCOMPARE(e.dialog.windowModality(), Qt::NonModal);
    QCOMPARE(e.dialog.windowTitle(), QStringLiteral("Change Alarm..."));
    QCOMPARE(e.dialog.AlIndex(), std::int16_t{2});
    QCOMPARE(e.time()->currentText(), QStringLiteral("6:15 AM"));
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("Old memo"));
    QCOMPARE(e.sound()->text(), QStringLiteral("/x/old.wav"));
    QCOMPARE(e.days(), QStringLiteral("1357"));

    e.ok();
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());
    QCOMPARE(ini::ReadIni(e.ini(), "Alarm", "Count", ""), std::string("3"));
    QCOMPARE(e.read(2, "State"), std::string("1"));
    QCOMPARE(e.read(2, "Type"), std::string("1357"));
    QCOMPARE(e.read(2, "Time"), std::string("6:15 AM"));
    QCOMPARE(e.read(2, "Memo"), std::string("Old memo"));
    QCOMPARE(e.read(2, "Sound"), std::string("/x/old.wav"));
    QCOMPARE(e.read(1, "Memo"), std::string("first"));
    QCOMPARE(e.read(3, "Memo"), std::string("third"));
    QCOMPARE(e.closed.count(), 1);
}

void EditorTest::savedTimeLoadsAsMeant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::newRow("7:30 PM") << "7:30 PM" << 19 << 30;
    QTest::newRow("12:00 AM is midnight") << "12:00 AM" << 0 << 0;
    QTest::newRow("12:00 PM is noon") << "12:00 PM" << 12 << 0;
    QTest::newRow("repaired 7:PM") << "7:PM" << 19 << 0;
    QTest::newRow("07:05 am") << "07:05 am" << 7 << 5;
    QTest::newRow("1:5 p") << "1:5 p" << 13 << 5;
    QTest::newRow("blanks around") << "  11:59 pm " << 23 << 59;
    QTest::newRow("half a minute") << "6:.5 AM" << 6 << 0;
}

void EditorTest::savedTimeLoadsAsMeant()
{
    QFETCH(QString, typed);
    QFETCH(int, hour);
    QFETCH(int, minute);
    Editor e;
    QVERIFY(e.store({alarm("1", "6:00 AM", "first")}));
    QVERIFY(e.dialog.openNew());
    e.fill(typed, "memo", "3");
    e.ok();
    QCOMPARE(e.messages(), QStringList());
    QVERIFY(e.reload());
    QCOMPARE(e.table.ACount, std::int16_t{2});
    QVERIFY(e.table.AClock[2].valid);
    QCOMPARE(e.table.AClock[2].hour, hour);
    QCOMPARE(e.table.AClock[2].minute, minute);
    QCOMPARE(e.table.AState[2], std::int16_t{1});
    QCOMPARE(e.table.AType[2], std::string("3"));
}

void EditorTest::onlyFirstFailingCheckIsReported_data()
{
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("memoText");
    QTest::addColumn<QString>("dayDigits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("boxAfter");
    QTest::newRow("all three wrong") << "25:00 PM"
                                     << ""
                                     << ""
                                     << "Please type a valid time!"
                                     << "25:00 PM";
    QTest::newRow("hour repaired, still wrong") << ":30 PM"
                                                << ""
                                                << ""
                                                << "Please type a valid time!"
                                                << "00:30 PM";
    QTest::newRow("memo of blanks") << "7:PM"
                                    << "   "
                                    << ""
                                    << "Please type a Memo!"
                                    << "7:00PM";
    QTest::newRow("memo of blank lines") << "7:00 PM"
                                         << " \n \n"
                                         << "1"
                                         << "Please type a Memo!"
                                         << "7:00 PM";
    QTest::newRow("no day") << "7:00 PM"
                            << "x"
                            << ""
                            << "Please at least Mark one day!"
                            << "7:00 PM";
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

void EditorTest::storedDaySetOpens_data()
{
    QTest::addColumn<bool>("withType");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("marked");
    QTest::newRow("7531") << true << "7531"
                          << "1357";
    QTest::newRow("every day") << true << "1234567"
                               << "1234567";
    QTest::newRow("missing key: Sunday only") << false << ""
                                              << "1";
    QTest::newRow("empty key: none") << true << ""
                                     << "";
}

void EditorTest::storedDaySetOpens()
{
    QFETCH(bool, withType);
    QFETCH(QString, stored);
    QFETCH(QString, marked);
    Editor e;
    std::vector<ini::KeyWrite> keys = alarm(withType ? stored.toStdString().c_str() : "", "9:00 AM", "m");
    if (!withType)
        keys.erase(keys.begin() + 1);
    QVERIFY(e.store({keys}));
    e.dialog.Modi(1);
    QCOMPARE(e.days(), marked);
    QCOMPARE(QString::fromStdString(e.dialog.GetType()), marked);
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
    QCOMPARE(e.fileDialog.asked[0].title, std::string("Select File"));
    QCOMPARE(e.fileDialog.asked[0].filterName, std::string("All Sound Files"));
    QCOMPARE(e.fileDialog.asked[0].pattern, std::string("*"));
    QCOMPARE(e.fileDialog.asked[0].startPath, std::string("/typed/by/hand.wav"));

    e.fileDialog.answers.push_back("/sounds/chosen.wav");
    browse->click();
    QCOMPARE(e.sound()->text(), QStringLiteral("/sounds/chosen.wav"));

    e.sound()->setText("/typed/again.wav");
    browse->click(); // cancelled: the earlier choice comes back
    QCOMPARE(e.sound()->text(), QStringLiteral("/sounds/chosen.wav"));
    QCOMPARE(e.fileDialog.asked.back().startPath, std::string("/sounds/chosen.wav"));

    // A new opening forgets the earlier choice.
    e.control<QPushButton>("CancelButton")->click();
    QVERIFY(e.dialog.openNew());
    e.sound()->setText("/typed.wav");
    browse->click();
    QCOMPARE(e.sound()->text(), QString());
}

void EditorTest::listHoldsItsEntriesOnce()
{
    Editor e;
    QVERIFY(e.store({alarm("1", "6:00 AM", "one"), alarm("2", "7:00 PM", "two")}));
    auto* cancel = e.control<QPushButton>("CancelButton");

    QVERIFY(e.dialog.openNew());
    QCOMPARE(e.listEntries(), timeList);
    cancel->click();
    e.dialog.Modi(1);
    QCOMPARE(e.listEntries(), timeList);
    e.dialog.Modi(2);
    QCOMPARE(e.listEntries(), timeList);
    QCOMPARE(e.time()->currentText(), QStringLiteral("7:00 PM"));
    cancel->click();
    QVERIFY(e.dialog.openNew());
    QCOMPARE(e.listEntries(), timeList);
    QCOMPARE(e.time()->currentText(), QStringLiteral("1:00 AM"));
}

void EditorTest::addWhileChangeIsOpen()
{
    Editor e;
    QVERIFY(e.store({alarm("1", "6:00 AM", "one")}));
    e.dialog.Modi(1);
    e.memo()->setPlainText("being changed");

    QVERIFY(!e.dialog.openNew()); // brought to the front instead
    QVERIFY(e.dialog.isVisible());
    QVERIFY(e.dialog.ModifMode());
    QCOMPARE(e.dialog.windowModality(), Qt::NonModal);
    QCOMPARE(e.dialog.windowTitle(), QStringLiteral("Change Alarm..."));
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("being changed"));
    QCOMPARE(e.messages(), QStringList());

    e.ok();
    QCOMPARE(ini::ReadIni(e.ini(), "Alarm", "Count", ""), std::string("1"));
    QCOMPARE(e.read(1, "Memo"), std::string("being changed"));
}

void EditorTest::secondEditLoadsTheOtherAlarm()
{
    Editor e;
    QVERIFY(e.store({alarm("1357", "6:00 AM", "one", "1", "/one.wav"), alarm("26", "7:45 PM", "two", "0")}));
    e.dialog.Modi(1);
    e.memo()->setPlainText("typed into one");
    e.dialog.Modi(2);

    QCOMPARE(e.dialog.AlIndex(), std::int16_t{2});
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("two"));
    QCOMPARE(e.days(), QStringLiteral("26")); // alarm 1's days are not left marked
    QCOMPARE(e.sound()->text(), QString());
    QCOMPARE(e.time()->currentText(), QStringLiteral("7:45 PM"));

    e.ok();
    QCOMPARE(e.read(1, "Memo"), std::string("one"));
    QCOMPARE(e.read(1, "Type"), std::string("1357"));
    QCOMPARE(e.read(2, "State"), std::string("1"));
    QCOMPARE(e.closed.count(), 1); // the reload did not close and reopen the window
}

// Deletion as the main window does it: later alarms move down, Count drops, the table reloads, and the
// editor is told.
[[nodiscard]] static bool removeAlarm(Editor& e, std::int16_t index)
{
    std::vector<ini::KeyWrite> writes{{"Alarm", "Count", std::to_string(e.table.ACount - 1)}};
    for (std::int16_t i = index; i < e.table.ACount; ++i) {
        const std::string section = "Alarm" + std::to_string(i);
        const auto from = static_cast<std::size_t>(i + 1);
        writes.push_back({section, "State", std::to_string(e.table.AState[from])});
        writes.push_back({section, "Type", e.table.AType[from]});
        writes.push_back({section, "Memo", e.table.AMemo[from]});
        writes.push_back({section, "Time", e.table.ATime[from]});
        writes.push_back({section, "Sound", e.table.ASound[from]});
    }
    if (!ini::WriteIniKeys(e.ini(), writes) || !e.reload())
        return false;
    e.dialog.alarmRemoved(index);
    return true;
}

void EditorTest::deleteUnderTheEditor()
{
    Editor e;
    QVERIFY(e.store({alarm("1", "1:00 AM", "one"), alarm("2", "2:00 AM", "two"),
                     alarm("3", "3:00 AM", "three"), alarm("4", "4:00 AM", "four")}));
    e.dialog.Modi(3);
    e.memo()->setPlainText("three, changed");

    QVERIFY(removeAlarm(e, 4)); // a later alarm: nothing moves
    QCOMPARE(e.dialog.AlIndex(), std::int16_t{3});
    QVERIFY(removeAlarm(e, 1)); // an earlier one: "three" is now alarm 2
    QCOMPARE(e.dialog.AlIndex(), std::int16_t{2});
    QVERIFY(e.dialog.isVisible());
    e.ok();
    QVERIFY(e.reload()); // as the main window does when the editor closes
    QCOMPARE(e.read(2, "Memo"), std::string("three, changed"));
    QCOMPARE(e.read(1, "Memo"), std::string("two"));
    QCOMPARE(ini::ReadIni(e.ini(), "Alarm", "Count", ""), std::string("2"));

    // The alarm being changed is deleted: the editor closes and writes nothing.
    e.dialog.Modi(1);
    e.memo()->setPlainText("lost with its alarm");
    QVERIFY(removeAlarm(e, 1));
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());
    QCOMPARE(e.closed.count(), 2);
    QCOMPARE(e.closed.last().at(0).toBool(), false);
    QCOMPARE(e.read(1, "Memo"), std::string("three, changed"));
    QCOMPARE(e.messages(), QStringList());
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
    QVERIFY(e.store({alarm("1", "6:00 AM", "one")}));
    if (change)
        e.dialog.Modi(1);
    else
        QVERIFY(e.dialog.openNew());
    e.time()->setEditText("7:PM");
    e.memo()->setPlainText("kept");
    e.day(5)->setChecked(true);
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

void EditorTest::noMoreAlarms()
{
    Editor e;
    e.table.ACount = 32767;
    QVERIFY(!e.dialog.openNew());
    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.messages(), QStringList{"No more alarms can be added."});
    QVERIFY(!std::filesystem::exists(e.ini()));
}

void EditorTest::editWithoutDataIni()
{
    Editor e;
    e.table.ACount = 1;
    e.dialog.Modi(1);
    QVERIFY(!e.dialog.isVisible());
    QVERIFY(!e.dialog.ModifMode());
    QCOMPARE(e.messages(), QStringList());
}

void EditorTest::escapeAndCloseWriteNothing()
{
    Editor e;
    QVERIFY(e.store({alarm("1", "6:00 AM", "one")}));
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
    QCOMPARE(e.closed.at(0).at(0).toBool(), false);
    QCOMPARE(e.closed.at(1).at(0).toBool(), false);
}

void EditorTest::enterInTimeBoxSaves()
{
    Editor e;
    QVERIFY(e.dialog.openNew());
    e.fill("9:15 AM", "by Enter", "7");
    e.time()->setFocus();
    QTest::keyClick(e.time()->lineEdit(), Qt::Key_Return);
    QVERIFY(!e.dialog.isVisible());
    QCOMPARE(e.read(1, "Time"), std::string("9:15 AM"));
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

// Add is modal to the main window only: a notification window, a top-level of its own, still takes clicks.
void EditorTest::notificationWindowStaysUsable()
{
    Editor e;
    auto* mainButton = new QPushButton("Add...", &e.mainWindow);
    QWidget notification;
    auto* snooze = new QPushButton("Snooze", &notification);
    notification.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notification));
    QSignalSpy mainClicked(mainButton, &QPushButton::clicked);
    QSignalSpy snoozeClicked(snooze, &QPushButton::clicked);

    QVERIFY(e.dialog.openNew());
    // Clicks through the window system, where modal blocking is decided.
    auto click = [](QPushButton* button) {
        QTest::mouseClick(button->window()->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(button->window(), button->rect().center()));
    };
    click(mainButton);
    click(snooze);
    QCOMPARE(mainClicked.count(), 0);
    QCOMPARE(snoozeClicked.count(), 1);
}

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
