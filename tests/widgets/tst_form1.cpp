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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

const QStringList fourRows{"7:00:00 AM|first|Sun,Mon,Tue,Wed,Thu,Fri,Sat|On",
                           "8:15:00 AM|second|Mon,Wed,Fri|Off", "7:30:00 PM|third|Sun,Sat|Off",
                           "12:00:00 PM|fourth|Tue|On"};

struct Harness
{
    Harness()
    {
        form = std::make_unique<Form1>(services, nullptr, [tray = trayPresent] { return *tray; });
    }

    QTreeWidget* list() const { return form->findChild<QTreeWidget*>("ListView1"); }
    QComboBox* cmbtime() const { return form->findChild<QComboBox*>("cmbtime"); }
    void click(const QString& name) const
    {
        QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    void write(const std::string& content) const { folder.write("Data.ini", content); }
    std::string content() const { return folder.read("Data.ini"); }
    std::string read(const std::string& section, const std::string& key) const
    {
        return ini::ReadIni(folder.file("Data.ini"), section, key, "<absent>");
    }
    // One "time|memo|days|state" per row.
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
    QList<int> offsetMinutes() const
    {
        const auto& table = form->alarmTable();
        return {table.ASnoozeM.begin() + 1, table.ASnoozeM.begin() + 1 + table.ACount};
    }
    void expectOneError(const char* text) const
    {
        QCOMPARE(dialogs.shown.size(), std::size_t{1});
        QCOMPARE(dialogs.shown[0].text, std::string(text));
        QVERIFY(dialogs.shown[0].icon == platform::MessageIcon::Critical);
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

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void listShowsEveryAlarmInIndexOrder();
    void commandsThatCannotActChangeNothing_data();
    void commandsThatCannotActChangeNothing();
    void deleteMovesLaterAlarmsAndTheirOffsets_data();
    void deleteMovesLaterAlarmsAndTheirOffsets();
    void deleteMovesWaitingNotificationsWithTheirAlarms();
    void onOffTogglesAndDropsTheSnooze_data();
    void onOffTogglesAndDropsTheSnooze();
    void setStoresOnlyValidDurations_data();
    void setStoresOnlyValidDurations();
    void addAndEditShareOneEditor();
    void startUpHidesAndCloseHidesAndExitEnds();
    void startUpWithoutANotificationAreaMinimises();
    void publicLookupsAnswerOutsideTheTable();
};

void TestForm1::listShowsEveryAlarmInIndexOrder()
{
    Harness h;
    // Columns come with the first load that finds Data.ini; the empty list is covered by Delete.
    h.form->Form_Activate();
    QCOMPARE(h.list()->columnCount(), 0);
    h.load(fourAlarms);
    // The time is shown whole.
    QVERIFY(h.list()->header()->sectionSize(0) > h.list()->fontMetrics().horizontalAdvance("12:00:00 PM"));
    QCOMPARE(h.rows(), fourRows);

    // Every activation rebuilds from the file, keeping the row the user was on.
    h.select(3);
    h.load(std::string(fourAlarms) + "[Alarm5]\nState=1\nType=\nTime=6:00\nMemo=fifth\n");
    QCOMPARE(h.rows(), fourRows);
    QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(2));
}

void TestForm1::commandsThatCannotActChangeNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("failingStore"); // Data.ini replaced by a folder: every write fails
    QTest::newRow("Edit... without a selection") << "Command2" << false;
    QTest::newRow("Delete without a selection") << "Command3" << false;
    QTest::newRow("On/Off without a selection") << "cmdOnOff" << false;
    QTest::newRow("Set, failing write") << "cmdSet" << true;
    QTest::newRow("On/Off, failing write") << "cmdOnOff" << true;
    QTest::newRow("Delete, failing write") << "Command3" << true;
}

void TestForm1::commandsThatCannotActChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(bool, failingStore);
    Harness h;
    h.load(fourAlarms);
    h.form->SetSnoozeValue(2, 0, 10, false);
    if (failingStore) {
        h.select(2);
        std::filesystem::remove(h.folder.file("Data.ini"));
        std::filesystem::create_directory(h.folder.file("Data.ini"));
    }
    h.click(command);
    if (failingStore) {
        h.expectOneError("The change could not be saved.");
    } else {
        QCOMPARE(h.content(), std::string(fourAlarms));
        QVERIFY(h.dialogs.shown.empty());
    }
    QCOMPARE(h.rows(), fourRows);
    QCOMPARE(h.form->ACount(), 4);
    QCOMPARE(h.form->alarmTable().ASnoozeM[2], 10);
    QVERIFY(!h.form->editor().isVisible());
}

void TestForm1::deleteMovesLaterAlarmsAndTheirOffsets_data()
{
    QTest::addColumn<std::string>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("rowsAfter");
    QTest::addColumn<QStringList>("memosInFile"); // Alarm1..Alarm4: the section past the end is left behind
    QTest::addColumn<QList<int>>("offsetsAfter");
    const QStringList& all = fourRows;
    const QStringList memos{"first", "second", "third", "fourth"};
    QTest::newRow("last of four") << std::string(fourAlarms) << 4 << all.mid(0, 3) << memos
                                  << QList<int>{5, 10, 15};
    QTest::newRow("second of four") << std::string(fourAlarms) << 2 << QStringList{all[0], all[2], all[3]}
                                    << QStringList{"first", "third", "fourth", "fourth"}
                                    << QList<int>{5, 15, 20};
    QTest::newRow("the only one")
        << std::string("[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=1\nTime=7:00 AM\nMemo=first\n") << 1
        << QStringList{} << QStringList{"first", "<absent>", "<absent>", "<absent>"} << QList<int>{};
}

void TestForm1::deleteMovesLaterAlarmsAndTheirOffsets()
{
    QFETCH(std::string, before);
    QFETCH(int, row);
    QFETCH(QStringList, rowsAfter);
    QFETCH(QStringList, memosInFile);
    QFETCH(QList<int>, offsetsAfter);
    Harness h;
    h.load(before);
    for (std::int16_t i = 1; i <= h.form->ACount(); ++i)
        h.form->SetSnoozeValue(i, 0, static_cast<std::int16_t>(5 * i), false);

    h.select(row);
    h.click("Command3");

    QCOMPARE(h.read("Alarm", "Count"), std::to_string(rowsAfter.size()));
    QStringList memos;
    for (int i = 1; i <= 4; ++i)
        memos << QString::fromStdString(h.read("Alarm" + std::to_string(i), "Memo"));
    QCOMPARE(memos, memosInFile);
    QCOMPARE(h.rows(), rowsAfter);
    QCOMPARE(h.list()->columnCount(), 4);
    QCOMPARE(h.offsetMinutes(), offsetsAfter);
    QVERIFY(h.list()->selectedItems().isEmpty());
    QVERIFY(h.dialogs.shown.empty());
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
    QCOMPARE(h.offsetMinutes(), QList<int>{30});
    QTRY_VERIFY(h.form->alarmWindow().current());
    QCOMPARE(h.form->alarmWindow().current()->AlarmIndex, 1);
    QCOMPARE(h.form->alarmWindow().current()->txtMemo->toPlainText(), QString("waiting"));
}

void TestForm1::onOffTogglesAndDropsTheSnooze_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("written");
    QTest::newRow("off") << 0 << 1;
    QTest::newRow("on") << 1 << 0;
    QTest::newRow("hand-written 5") << 5 << 1;
}

void TestForm1::onOffTogglesAndDropsTheSnooze()
{
    QFETCH(int, stored);
    QFETCH(int, written);
    Harness h;
    h.load("[Alarm]\nCount=2\n[Alarm1]\nState=1\nType=1\nTime=7:00 AM\nMemo=a\n[Alarm2]\nState=" +
           std::to_string(stored) + "\nType=1\nTime=8:00 AM\nMemo=b\n");
    h.form->SetSnoozeValue(1, 0, 5, false);
    h.form->SetSnoozeValue(2, 1, 10, false);

    h.select(2);
    h.click("cmdOnOff");
    QCOMPARE(h.read("Alarm2", "State"), std::to_string(written));
    QCOMPARE(h.list()->topLevelItem(1)->text(3), written == 1 ? "On" : "Off");
    QCOMPARE(h.form->alarmTable().ASnoozeH[2], 0);
    QCOMPARE(h.form->alarmTable().ASnoozeM[2], 0);
    QCOMPARE(h.form->alarmTable().ASnoozeM[1], 5);
    QCOMPARE(h.read("Alarm1", "State"), std::string("1"));
    QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(1));
}

// A key of -1 stands for a click on Set; a click that stores nothing must say why.
void TestForm1::setStoresOnlyValidDurations_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("boxAfter");
    const auto row = [](const char* name, const char* typed, int key, quint32 keysym, const char* stored,
                        const char* box) {
        QTest::newRow(name) << QString(typed) << key << keysym << QString(stored) << QString(box);
    };
    row("plain", "0:10", -1, 0, "0:10", "0:10");
    row("hours missing", ":30", -1, 0, "00:30", "00:30");
    row("13 hours", "13:00", -1, 0, "<absent>", "13:00");
    row("repair kept when refused", ":123", -1, 0, "<absent>", "00:123");
    row("Execute", "0:20", Qt::Key_Execute, 0, "0:20", "0:20");
    row("Execute as X11 delivers it", "0:20", 0, 0xff62, "0:20", "0:20");
    row("Enter", "0:20", Qt::Key_Enter, 0xff8d, "<absent>", "0:20");
    row("Return", "0:20", Qt::Key_Return, 0xff0d, "<absent>", "0:20");
    row("another unmapped key", "0:20", 0, 0x1008ff2f, "<absent>", "0:20");
}

void TestForm1::setStoresOnlyValidDurations()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(quint32, keysym);
    QFETCH(QString, stored);
    QFETCH(QString, boxAfter);
    Harness h;
    h.cmbtime()->clearEditText();
    QTest::keyClicks(h.cmbtime()->lineEdit(), typed);
    if (key < 0) {
        h.click("cmdSet");
    } else {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, keysym, 0);
        QApplication::sendEvent(h.cmbtime()->lineEdit(), &press);
    }
    QCOMPARE(QString::fromStdString(h.read("Alarm", "DSnooze")), stored);
    QCOMPARE(h.cmbtime()->currentText(), boxAfter);
    QCOMPARE(h.cmbtime()->count(), 0);
    if (key < 0 && stored == "<absent>")
        h.expectOneError("Please enter a valid duration.");
    else
        QVERIFY(h.dialogs.shown.empty());
}

void TestForm1::addAndEditShareOneEditor()
{
    Harness h;
    h.load(fourAlarms);
    h.click("Command1");
    Dialog& editor = h.form->editor();
    QVERIFY(editor.isVisible());
    QVERIFY(!editor.ModifMode());
    QCOMPARE(editor.windowModality(), Qt::WindowModal);
    QCOMPARE(editor.parentWidget(), h.form.get());
    editor.reject();

    h.select(2);
    h.click("Command2");
    QVERIFY(editor.isVisible());
    QVERIFY(editor.ModifMode());
    QCOMPARE(editor.windowModality(), Qt::NonModal);
    QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("second"));

    h.select(3);
    h.click("Command2");
    QCOMPARE(editor.AlIndex(), 3);
    QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("third"));
    QCOMPARE(h.form->findChildren<Dialog*>().size(), 1);

    // Add while a change is open only brings the change forward.
    h.click("Command1");
    QVERIFY(editor.ModifMode());
    QCOMPARE(editor.AlIndex(), 3);

    h.select(1);
    h.click("Command3");
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.AlIndex(), 2);

    // Its own alarm deleted: the change closes unsaved rather than write over the alarm that moved in.
    h.select(2);
    h.click("Command3");
    QVERIFY(!editor.isVisible());
    QCOMPARE(h.read("Alarm2", "Memo"), std::string("fourth"));

    h.select(1);
    h.click("Command2");
    h.write("[Alarm]\nCount=1\n[Alarm1]\nState=0\nType=1\nTime=6:00 AM\nMemo=changed by hand\n");
    editor.reject();
    QCOMPARE(h.rows(), QStringList{"6:00:00 AM|changed by hand|Sun|Off"});
}

void TestForm1::startUpHidesAndCloseHidesAndExitEnds()
{
    Harness h;
    h.write(fourAlarms);
    QVERIFY(!h.form->Timer1->isActive());
    h.form->Form_Load();
    QCOMPARE(h.rows(), fourRows);
    QVERIFY(h.form->Timer1->isActive());
    QVERIFY(h.form->trayIcon().isAdded());
    QVERIFY(h.form->isHidden());

    h.form->mPopRestore_Click();
    QVERIFY(h.form->isVisible());
    // Centred on first show, give or take the frame, whose size is not known before it is shown.
    const QPoint screenCentre = h.form->screen()->availableGeometry().center();
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

void TestForm1::startUpWithoutANotificationAreaMinimises()
{
    Harness h;
    *h.trayPresent = false;
    h.form->Form_Load();
    QVERIFY(h.form->isVisible() && h.form->isMinimized());
}

void TestForm1::publicLookupsAnswerOutsideTheTable()
{
    Harness h;
    h.load(fourAlarms);
    QCOMPARE(h.form->GetASound(4), std::string("/x/ring.wav"));
    for (const std::int16_t index : {std::int16_t{0}, std::int16_t{1}, std::int16_t{5}, std::int16_t{-3}}) {
        QVERIFY(!h.form->AlarmSoundPresent(index));
        QCOMPARE(h.form->GetASound(index), std::string());
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
