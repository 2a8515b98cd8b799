#include "ui/main/Form1.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileDialog.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/TempFolder.h"
#include "platform/Services.h"
#include "platform/StdFiles.h"
#include "store/ini.h"
#include "ui/editor/Dialog.h"
#include "ui/main/CheckTimer.h"
#include "ui/notify/frmalarm.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

namespace {

// Four alarms due at different times on a Monday morning (the fake clock's 7:00 on 2026-12-07).
const char* const fourAlarms = "[Alarm]\nCount=4\n"
                               "[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=first\nSound=\n"
                               "[Alarm2]\nState=0\nType=246\nTime=8:15 AM\nMemo=second\nSound=\n"
                               "[Alarm3]\nState=5\nType=17\nTime=19:30\nMemo=third\nSound=\n"
                               "[Alarm4]\nState=1\nType=3\nTime=12:00 PM\nMemo=fourth\nSound=/x/ring.wav\n";

struct Harness
{
    Harness()
    {
        form = std::make_unique<Form1>(services, nullptr, [tray = trayPresent] { return *tray; });
    }

    QTreeWidget* list() const { return form->findChild<QTreeWidget*>("ListView1"); }
    QComboBox* cmbtime() const { return form->findChild<QComboBox*>("cmbtime"); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    void write(const std::string& content) const { folder.write("Data.ini", content); }
    std::string content() const { return folder.read("Data.ini"); }
    std::string read(const std::string& section, const std::string& key) const
    {
        return ini::ReadIni(folder.file("Data.ini"), section, key, "<absent>");
    }
    // The alarms as the list shows them, one "time|memo|days|state" per row.
    QStringList rows() const
    {
        QStringList result;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list()->topLevelItem(i);
            result << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join('|');
        }
        return result;
    }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row - 1)); }
    void load(const std::string& content) const
    {
        write(content);
        form->Form_Activate();
    }
    // Data.ini replaced by a folder: every write fails, whatever the user's rights.
    void breakTheStore() const
    {
        std::filesystem::remove(folder.file("Data.ini"));
        std::filesystem::create_directory(folder.file("Data.ini"));
    }
    std::vector<std::int16_t> offsetMinutes() const
    {
        const auto& table = form->alarmTable();
        return {table.ASnoozeM.begin() + 1, table.ASnoozeM.begin() + 1 + table.ACount};
    }

    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    fakes::FakeLocaleTime locale;
    fakes::FakeDialogs dialogs;
    fakes::FakeFileDialog fileDialog;
    fakes::FakeSoundPlayerFactory sounds;
    platform::Services services{clock, locale, files, dialogs, fileDialog, sounds};
    std::shared_ptr<bool> trayPresent = std::make_shared<bool>(true);
    std::unique_ptr<Form1> form;
};

QStringList fourRows()
{
    return {"7:00:00 AM|first|Sun,Mon,Tue,Wed,Thu,Fri,Sat|On", "8:15:00 AM|second|Mon,Wed,Fri|Off",
            "7:30:00 PM|third|Sun,Sat|Off", "12:00:00 PM|fourth|Tue|On"};
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void windowHasItsDrawnShape();
    void controlsSitWhereTheyWereDrawn_data();
    void controlsSitWhereTheyWereDrawn();
    void tabOrderFollowsTheDrawing();
    void withoutDataIniTheListHasNoColumns();
    void listShowsEveryAlarmInIndexOrder();
    void commandsWithoutASelectionDoNothing_data();
    void commandsWithoutASelectionDoNothing();
    void deleteMovesLaterAlarmsAndTheirOffsets_data();
    void deleteMovesLaterAlarmsAndTheirOffsets();
    void deletingTheOnlyAlarmEmptiesTheList();
    void deleteMovesWaitingNotificationsWithTheirAlarms();
    void onOffTogglesAndDropsTheSnooze_data();
    void onOffTogglesAndDropsTheSnooze();
    void setStoresOnlyValidDurations_data();
    void setStoresOnlyValidDurations();
    void keysInTheDurationBox_data();
    void keysInTheDurationBox();
    void aFailedWriteChangesNothing_data();
    void aFailedWriteChangesNothing();
    void editLoadsTheSelectedAlarmIntoOneEditor();
    void addOpensModalToTheMainWindowOnly();
    void addAtTheLimitIsRefusedByTheEditor();
    void deleteUnderAnOpenEditorKeepsItOnItsAlarm();
    void closingTheEditorReloadsTheList();
    void startUpLoadsAndPutsTheWindowAway_data();
    void startUpLoadsAndPutsTheWindowAway();
    void closeHidesAndExitEnds();
    void mouseMovesOverTheWindowAreNoTrayEvents();
    void publicLookupsAnswerOutsideTheTable();
};

void TestForm1::windowHasItsDrawnShape()
{
    Harness h;
    QCOMPARE(h.form->windowTitle(), QString("Orvane Wakery"));
    QCOMPARE(h.form->size(), QSize(540, 230));
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
    QVERIFY(h.form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(h.form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(h.cmbtime()->toolTip(), QString("Select from the list or enter a time(HH:MM AM/PM)."));
    QCOMPARE(h.cmbtime()->count(), 0);

    const auto* label2 = h.form->findChild<QLabel*>("Label2");
    QVERIFY(label2->font().bold());
    QCOMPARE(label2->font().pointSizeF(), 8.25);
    QCOMPARE(h.form->findChild<QLabel*>("Label9")->font().pointSizeF(), 6.0);
    QVERIFY(!h.form->Timer1->isActive());
}

void TestForm1::controlsSitWhereTheyWereDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, QRect place, const char* text) {
        QTest::newRow(name) << QString(name) << place << QString(text);
    };
    row("ListView1", {7, 4, 522, 166}, "");
    row("Label2", {8, 176, 148, 13}, "Default Snooze Duration :");
    row("cmbtime", {24, 192, 112, 21}, "00:05");
    row("Label9", {37, 216, 81, 9}, "HH:MM");
    row("cmdSet", {144, 192, 33, 24}, "Set");
    row("Command1", {207, 188, 81, 24}, "Add...");
    row("Command2", {288, 188, 81, 24}, "Edit...");
    row("Command3", {369, 188, 81, 24}, "Delete");
    row("cmdOnOff", {450, 188, 81, 24}, "On/Off");
}

void TestForm1::controlsSitWhereTheyWereDrawn()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    Harness h;
    const auto* control = h.form->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (const auto* label = qobject_cast<const QLabel*>(control))
        QCOMPARE(label->text(), text);
    else if (const auto* pushButton = qobject_cast<const QPushButton*>(control))
        QCOMPARE(pushButton->text(), text);
    else if (const auto* combo = qobject_cast<const QComboBox*>(control))
        QCOMPARE(combo->currentText(), text);
}

void TestForm1::tabOrderFollowsTheDrawing()
{
    Harness h;
    const QStringList named{"cmbtime", "cmdOnOff", "Command3", "Command2", "Command1", "ListView1", "cmdSet"};
    QStringList order;
    QWidget* widget = h.cmbtime();
    do {
        if (named.contains(widget->objectName()) && !order.contains(widget->objectName()))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != h.cmbtime());
    QCOMPARE(order, named);
}

void TestForm1::withoutDataIniTheListHasNoColumns()
{
    Harness h;
    h.form->Form_Activate();
    QCOMPARE(h.list()->columnCount(), 0);
    QCOMPARE(h.list()->topLevelItemCount(), 0);
    QCOMPARE(h.form->ACount(), 0);

    h.load("[Alarm]\nCount=0\n");
    QCOMPARE(h.list()->columnCount(), 4);
    QCOMPARE(h.list()->topLevelItemCount(), 0);
}

void TestForm1::listShowsEveryAlarmInIndexOrder()
{
    Harness h;
    h.load(fourAlarms);
    const QTreeWidgetItem* header = h.list()->headerItem();
    QCOMPARE(QStringList({header->text(0), header->text(1), header->text(2), header->text(3)}),
             QStringList({"Time", "Alarm", "Days", "State"}));
    // An eighth, three eighths, three eighths and an eighth of the list's inside; Time takes from Days
    // what its longest text needs beyond its eighth.
    const QHeaderView* columns = h.list()->header();
    const int width = h.list()->maximumViewportSize().width();
    QVERIFY(columns->sectionSize(0) >= width / 8);
    QVERIFY(columns->sectionSize(0) > h.list()->fontMetrics().horizontalAdvance("12:00:00 PM"));
    QCOMPARE(columns->sectionSize(1), width * 3 / 8);
    QCOMPARE(columns->sectionSize(0) + columns->sectionSize(2), width / 8 + width * 3 / 8);
    QCOMPARE(columns->sectionSize(3), width - width / 8 - 2 * (width * 3 / 8));
    QCOMPARE(h.rows(), fourRows());
    QCOMPARE(h.form->ACount(), 4);

    // Every activation rebuilds from the file, keeping the row the user was on.
    h.select(3);
    h.load(std::string(fourAlarms) + "[Alarm5]\nState=1\nType=\nTime=6:00\nMemo=fifth\n");
    QCOMPARE(h.rows(), fourRows());
    QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(2));
}

void TestForm1::commandsWithoutASelectionDoNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Edit...") << "Command2";
    QTest::newRow("Delete") << "Command3";
    QTest::newRow("On/Off") << "cmdOnOff";
}

void TestForm1::commandsWithoutASelectionDoNothing()
{
    QFETCH(QString, command);
    Harness h;
    h.load(fourAlarms);
    h.click(command.toUtf8().constData());
    QCOMPARE(h.content(), std::string(fourAlarms));
    QCOMPARE(h.rows(), fourRows());
    QVERIFY(h.dialogs.shown.empty());
    QVERIFY(!h.form->editor().isVisible());
}

void TestForm1::deleteMovesLaterAlarmsAndTheirOffsets_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("rowsAfter");
    QTest::addColumn<QStringList>("memosInFile"); // Alarm1..Alarm4, the last one left behind
    QTest::addColumn<QList<int>>("offsetsAfter");
    const QStringList all = fourRows();
    QTest::newRow("last of four") << 4 << all.mid(0, 3) << QStringList{"first", "second", "third", "fourth"}
                                  << QList<int>{5, 10, 15};
    QTest::newRow("second of four") << 2 << QStringList{all[0], all[2], all[3]}
                                    << QStringList{"first", "third", "fourth", "fourth"}
                                    << QList<int>{5, 15, 20};
    QTest::newRow("first of four") << 1 << all.mid(1) << QStringList{"second", "third", "fourth", "fourth"}
                                   << QList<int>{10, 15, 20};
}

void TestForm1::deleteMovesLaterAlarmsAndTheirOffsets()
{
    QFETCH(int, row);
    QFETCH(QStringList, rowsAfter);
    QFETCH(QStringList, memosInFile);
    QFETCH(QList<int>, offsetsAfter);
    Harness h;
    h.load(fourAlarms);
    for (std::int16_t i = 1; i <= 4; ++i)
        h.form->SetSnoozeValue(i, 0, static_cast<std::int16_t>(5 * i), false);

    h.select(row);
    h.click("Command3");

    QCOMPARE(h.read("Alarm", "Count"), std::string("3"));
    QStringList memos;
    for (int i = 1; i <= 4; ++i)
        memos << QString::fromStdString(h.read("Alarm" + std::to_string(i), "Memo"));
    QCOMPARE(memos, memosInFile);
    QCOMPARE(h.rows(), rowsAfter);
    QList<int> offsets;
    for (const auto minutes : h.offsetMinutes())
        offsets << minutes;
    QCOMPARE(offsets, offsetsAfter);
    QVERIFY(h.list()->selectedItems().isEmpty());
    QVERIFY(h.dialogs.shown.empty());
}

void TestForm1::deletingTheOnlyAlarmEmptiesTheList()
{
    Harness h;
    h.load("[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=1\nTime=7:00 AM\nMemo=only\nSound=\n");
    h.select(1);
    h.click("Command3");
    QCOMPARE(h.read("Alarm", "Count"), std::string("0"));
    QCOMPARE(h.list()->topLevelItemCount(), 0);
    QCOMPARE(h.list()->columnCount(), 4);
    QCOMPARE(h.form->ACount(), 0);
}

void TestForm1::deleteMovesWaitingNotificationsWithTheirAlarms()
{
    Harness h;
    h.write("[Alarm]\nCount=3\n"
            "[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=ringing\n"
            "[Alarm2]\nState=1\nType=1234567\nTime=9:00 AM\nMemo=later\n"
            "[Alarm3]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=waiting\n");
    h.form->Form_Load();
    QVERIFY(h.form->alarmWindow().current());
    QCOMPARE(h.form->alarmCheck().showingIndex(), std::optional<std::int16_t>(1));
    QCOMPARE(h.form->alarmCheck().waitingCount(), std::size_t{1});

    h.select(2);
    h.click("Command3");
    QCOMPARE(h.form->alarmCheck().showingIndex(), std::optional<std::int16_t>(1));

    // The ringing alarm deleted: its window stays until dismissed, and its OK touches no other alarm.
    h.form->SetSnoozeValue(2, 0, 30, false);
    h.select(1);
    h.click("Command3");
    QCOMPARE(h.form->alarmCheck().showingIndex(), std::nullopt);
    h.form->alarmWindow().current()->OKButton_Click();
    QCOMPARE(h.offsetMinutes(), std::vector<std::int16_t>{30});
    QTRY_VERIFY(h.form->alarmWindow().current());
    QCOMPARE(h.form->alarmWindow().current()->AlarmIndex, 1);
    QCOMPARE(h.form->alarmWindow().current()->txtMemo->toPlainText(), QString("waiting"));
}

void TestForm1::onOffTogglesAndDropsTheSnooze_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("shown");
    QTest::newRow("off") << "0"
                         << "1"
                         << "On";
    QTest::newRow("on") << "1"
                        << "0"
                        << "Off";
    QTest::newRow("hand-written 5") << "5"
                                    << "1"
                                    << "On";
}

void TestForm1::onOffTogglesAndDropsTheSnooze()
{
    QFETCH(QString, stored);
    QFETCH(QString, written);
    QFETCH(QString, shown);
    Harness h;
    h.load("[Alarm]\nCount=2\n[Alarm1]\nState=1\nType=1\nTime=7:00 AM\nMemo=a\n[Alarm2]\nState=" +
           stored.toStdString() + "\nType=1\nTime=8:00 AM\nMemo=b\n");
    h.form->SetSnoozeValue(1, 0, 5, false);
    h.form->SetSnoozeValue(2, 1, 10, false);

    h.select(2);
    h.click("cmdOnOff");
    QCOMPARE(QString::fromStdString(h.read("Alarm2", "State")), written);
    QCOMPARE(h.list()->topLevelItem(1)->text(3), shown);
    QCOMPARE(h.form->alarmTable().ASnoozeH[2], 0);
    QCOMPARE(h.form->alarmTable().ASnoozeM[2], 0);
    QCOMPARE(h.form->alarmTable().ASnoozeM[1], 5);
    QCOMPARE(h.read("Alarm1", "State"), std::string("1"));
    QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(1));
}

void TestForm1::setStoresOnlyValidDurations_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // the line in Data.ini; empty when nothing is written
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<bool>("refused");
    const auto row = [](const char* name, const char* typed, const char* stored, const char* box,
                        bool refused) {
        QTest::newRow(name) << QString(typed) << QString(stored) << QString(box) << refused;
    };
    row("plain", "0:10", "DSnooze=0:10", "0:10", false);
    row("longest", "12:59", "DSnooze=12:59", "12:59", false);
    row("hours missing", ":30", "DSnooze=00:30", "00:30", false);
    row("minutes missing", "5:", "DSnooze=5:00", "5:00", false);
    row("blanks kept", " 0:05 ", "DSnooze= 0:05 ", " 0:05 ", false);
    row("13 hours", "13:00", "", "13:00", true);
    row("with AM/PM", "1:30 PM", "", "1:30 PM", true);
    row("letters", "abc", "", "abc", true);
    row("repair kept when refused", ":123", "", "00:123", true);
}

void TestForm1::setStoresOnlyValidDurations()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, boxAfter);
    QFETCH(bool, refused);
    Harness h;
    h.cmbtime()->setEditText(typed);
    h.click("cmdSet");
    const QStringList lines = QString::fromStdString(h.content()).split(QRegularExpression("\\r?\\n"));
    QCOMPARE(lines.filter("DSnooze").value(0), stored);
    QCOMPARE(h.cmbtime()->currentText(), boxAfter);
    QCOMPARE(h.dialogs.shown.size(), refused ? std::size_t{1} : std::size_t{0});
    if (refused) {
        QCOMPARE(h.dialogs.shown[0].text, std::string("Please enter a valid duration."));
        QCOMPARE(h.dialogs.shown[0].title, std::string("Wakery"));
        QVERIFY(h.dialogs.shown[0].icon == platform::MessageIcon::Critical);
    }
}

void TestForm1::keysInTheDurationBox_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<bool>("stores");
    QTest::newRow("Execute") << int(Qt::Key_Execute) << quint32(0) << true;
    QTest::newRow("Execute as X11 delivers it") << 0 << quint32(0xff62) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << quint32(0xff8d) << false;
    QTest::newRow("Return") << int(Qt::Key_Return) << quint32(0xff0d) << false;
    QTest::newRow("another unmapped key") << 0 << quint32(0x1008ff2f) << false;
}

void TestForm1::keysInTheDurationBox()
{
    QFETCH(int, key);
    QFETCH(quint32, keysym);
    QFETCH(bool, stores);
    Harness h;
    h.cmbtime()->setEditText("0:20");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, keysym, 0);
    QApplication::sendEvent(h.cmbtime()->lineEdit(), &press);
    QCOMPARE(h.read("Alarm", "DSnooze"), std::string(stores ? "0:20" : "<absent>"));
    QCOMPARE(h.cmbtime()->count(), 0);
    QVERIFY(h.dialogs.shown.empty());
}

void TestForm1::aFailedWriteChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Set") << "cmdSet";
    QTest::newRow("On/Off") << "cmdOnOff";
    QTest::newRow("Delete") << "Command3";
}

void TestForm1::aFailedWriteChangesNothing()
{
    QFETCH(QString, command);
    Harness h;
    h.load(fourAlarms);
    h.form->SetSnoozeValue(2, 0, 10, false);
    h.select(2);
    h.breakTheStore();
    h.click(command.toUtf8().constData());

    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QCOMPARE(h.dialogs.shown[0].text, std::string("The change could not be saved."));
    QCOMPARE(h.dialogs.shown[0].title, std::string("Wakery"));
    QVERIFY(h.dialogs.shown[0].icon == platform::MessageIcon::Critical);
    QCOMPARE(h.rows(), fourRows());
    QCOMPARE(h.form->ACount(), 4);
    QCOMPARE(h.form->alarmTable().ASnoozeM[2], 10);
}

void TestForm1::editLoadsTheSelectedAlarmIntoOneEditor()
{
    Harness h;
    h.load(fourAlarms);
    h.select(2);
    h.click("Command2");
    Dialog& editor = h.form->editor();
    QVERIFY(editor.isVisible());
    QVERIFY(editor.ModifMode());
    QCOMPARE(editor.AlIndex(), 2);
    QCOMPARE(editor.windowModality(), Qt::NonModal);
    QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("second"));

    h.select(4);
    h.click("Command2");
    QCOMPARE(editor.AlIndex(), 4);
    QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("fourth"));
    QCOMPARE(h.form->findChildren<Dialog*>().size(), 1);

    // Add while a change is open only brings the change forward.
    h.click("Command1");
    QVERIFY(editor.ModifMode());
    QCOMPARE(editor.AlIndex(), 4);
}

void TestForm1::addOpensModalToTheMainWindowOnly()
{
    Harness h;
    h.load(fourAlarms);
    h.click("Command1");
    Dialog& editor = h.form->editor();
    QVERIFY(editor.isVisible());
    QVERIFY(!editor.ModifMode());
    QCOMPARE(editor.windowModality(), Qt::WindowModal);
    QCOMPARE(editor.parentWidget(), h.form.get());
}

void TestForm1::addAtTheLimitIsRefusedByTheEditor()
{
    Harness h;
    h.load("[Alarm]\nCount=32767\n");
    QCOMPARE(h.form->ACount(), 32767);
    QCOMPARE(h.list()->topLevelItemCount(), 32767);
    h.click("Command1");
    QVERIFY(!h.form->editor().isVisible());
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QCOMPARE(h.dialogs.shown[0].text, std::string("No more alarms can be added."));
}

void TestForm1::deleteUnderAnOpenEditorKeepsItOnItsAlarm()
{
    Harness h;
    h.load(fourAlarms);
    h.select(3);
    h.click("Command2");
    Dialog& editor = h.form->editor();

    h.select(1);
    h.click("Command3");
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.AlIndex(), 2);

    // Its own alarm deleted: the change closes unsaved rather than write over the alarm that moved in.
    h.select(2);
    h.click("Command3");
    QVERIFY(!editor.isVisible());
    QCOMPARE(h.read("Alarm2", "Memo"), std::string("fourth"));
}

void TestForm1::closingTheEditorReloadsTheList()
{
    Harness h;
    h.load(fourAlarms);
    h.select(1);
    h.click("Command2");
    h.write("[Alarm]\nCount=1\n[Alarm1]\nState=0\nType=1\nTime=6:00 AM\nMemo=changed by hand\n");
    h.form->editor().reject();
    QCOMPARE(h.rows(), QStringList{"6:00:00 AM|changed by hand|Sun|Off"});
}

void TestForm1::startUpLoadsAndPutsTheWindowAway_data()
{
    QTest::addColumn<bool>("withTray");
    QTest::newRow("notification area") << true;
    QTest::newRow("none") << false;
}

void TestForm1::startUpLoadsAndPutsTheWindowAway()
{
    QFETCH(bool, withTray);
    Harness h;
    *h.trayPresent = withTray;
    h.write(fourAlarms);
    h.form->Form_Load();
    QCOMPARE(h.rows(), fourRows());
    QVERIFY(h.form->Timer1->isActive());
    QVERIFY(h.form->trayIcon().isAdded());
    QCOMPARE(h.form->isVisible(), !withTray);
    if (!withTray)
        QVERIFY(h.form->isMinimized());
}

void TestForm1::closeHidesAndExitEnds()
{
    Harness h;
    h.form->Form_Load();
    h.form->mPopRestore_Click();
    QVERIFY(h.form->isVisible());
    const QPoint screenCentre = h.form->screen()->availableGeometry().center();
    // Centred on first show, give or take the window frame, whose size is not known before it is shown.
    QVERIFY((h.form->frameGeometry().center() - screenCentre).manhattanLength() <= 8);
    QSignalSpy ended(h.form.get(), &Form1::programEnd);

    QVERIFY(!h.form->close());
    QVERIFY(h.form->isHidden());
    QCOMPARE(ended.count(), 0);
    QVERIFY(h.dialogs.asked.empty());

    h.form->mPopRestore_Click();
    h.form->showMinimized();
    QTRY_VERIFY(h.form->isHidden());

    h.form->trayIcon().exitAction()->trigger();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!h.form->trayIcon().isAdded());
}

// The old way of receiving tray events through the window's own mouse moves made a move at x = 517
// open the tray menu; here only the icon's own events count.
void TestForm1::mouseMovesOverTheWindowAreNoTrayEvents()
{
    Harness h;
    h.form->Form_Load();
    h.form->mPopRestore_Click();
    for (const int x : {514, 515, 517}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 226), h.form->mapToGlobal(QPointF(x, 226)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h.form->centralWidget(), &move);
    }
    QVERIFY(!QApplication::activePopupWidget());
    QVERIFY(h.form->isVisible());
    QVERIFY(!h.form->isMinimized());
}

void TestForm1::publicLookupsAnswerOutsideTheTable()
{
    Harness h;
    h.load(fourAlarms);
    QVERIFY(h.form->AlarmSoundPresent(4));
    QCOMPARE(h.form->GetASound(4), std::string("/x/ring.wav"));
    for (const std::int16_t index : {std::int16_t{0}, std::int16_t{1}, std::int16_t{5}, std::int16_t{-3}}) {
        QVERIFY(!h.form->AlarmSoundPresent(index));
        QCOMPARE(h.form->GetASound(index), std::string());
    }
    h.form->RemoveAlarm(5);
    h.form->RemoveAlarm(0);
    QCOMPARE(h.content(), std::string(fourAlarms));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
