// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user drives it, its icon's menu, the ringing window the check opens, and what
// another program does to Data.ini meanwhile: what each leaves in Data.ini, the list and the boxes.
#include "MainWindow.h"
#include "platform/Autostart.h"
#include "platform/qt/FileChangeWatch.h"
#include "ui/editor/Dialog.h"
#include "ui/main/AppIcon.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QHeaderView>
#include <QPointer>

#include <filesystem>

namespace {

// Four alarms on the fake clock's Monday 7:00; the fourth has a sound of its own.
const char* const fourAlarms = "[Alarm]\nCount=4\n"
                               "[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=first\nSound=\n"
                               "[Alarm2]\nState=0\nType=246\nTime=8:15 AM\nMemo=second\nSound=\n"
                               "[Alarm3]\nState=5\nType=17\nTime=19:30\nMemo=third\nSound=\n"
                               "[Alarm4]\nState=1\nType=3\nTime=12:00 PM\nMemo=fourth\nSound=/x/ring.wav\n";

struct FakeAutostart : platform::Autostart
{
    bool isEnabled() const override { return on; }
    bool setEnabled(bool wanted) override { return !fails && ((on = wanted), true); }
    bool on = false, fails = false;
};

struct Harness : MainWindow
{
    explicit Harness(const std::string& data = fourAlarms, bool withTray = true) : MainWindow(data, withTray)
    {
    }

    template <typename T> T* control(const char* name) { return form.editor().findChild<T*>(name); }
    QStringList memos() const // in Data.ini
    {
        QStringList result;
        for (int i = 1; i <= std::stoi(read("Alarm", "Count")); ++i)
            result << QString::fromStdString(read("Alarm" + std::to_string(i), "Memo"));
        return result;
    }
    void setTray(bool available) { tray = available, form.trayIcon().checkAvailability(); }
    bool onTaskBarOnly() const { return form.isVisible() && form.isMinimized(); }
    bool inSight() const { return form.isVisible() && !form.isMinimized(); }
    QList<int> snoozeMinutes() const
    {
        const auto& table = form.alarmTable();
        return {table.ASnoozeM.begin() + 1, table.ASnoozeM.begin() + 1 + table.ACount};
    }
};

// Alarm i starts with a snooze of 5*i minutes.
const QStringList fourMemos{"first", "second", "third", "fourth"}, fourStates{"On", "Off", "Off", "On"};
struct Command
{
    const char* name;
    int row = 0; // 0: nothing selected
    const char* button;
    bool failingStore = false; // Data.ini is a folder
    QStringList memos = fourMemos, states = fourStates;
    QList<int> snoozeMinutes = {5, 10, 15, 20};
    const char* message = "";
};
const Command commands[] = {
    {.name = "Edit... without a selection", .button = "Command2"},
    {.name = "Delete without a selection", .button = "Command3"},
    {.name = "On/Off without a selection", .button = "cmdOnOff"},
    {.name = "Delete, failing write",
     .row = 2,
     .button = "Command3",
     .failingStore = true,
     .message = messages::changeNotSaved},
    {.name = "Set, failing write",
     .row = 2,
     .button = "cmdSet",
     .failingStore = true,
     .message = messages::changeNotSaved},
    {.name = "Delete moves the later alarms and their snoozes down",
     .row = 2,
     .button = "Command3",
     .memos = {"first", "third", "fourth"},
     .states = {"On", "Off", "On"},
     .snoozeMinutes = {5, 15, 20}},
    {.name = "On/Off switches off and drops the snooze",
     .row = 1,
     .button = "cmdOnOff",
     .states = {"Off", "Off", "Off", "On"},
     .snoozeMinutes = {0, 10, 15, 20}},
    {.name = "On/Off of a hand-written 5 switches on",
     .row = 3,
     .button = "cmdOnOff",
     .states = {"On", "Off", "On", "On"},
     .snoozeMinutes = {5, 10, 0, 20}},
};

struct Duration
{
    const char* name;
    const char* typed;
    int key = 0;        // pressed in the box; with no keysym either, a click on Set
    quint32 keysym = 0; // what X11 sends with the key
    bool toBox = false; // sent to the box, as the keyboard does, not to its text field
    const char* file;   // DSnooze
    const char* box;
    const char* message = "";
};
const Duration durations[] = {
    {.name = "Set repairs a missing hour", .typed = ":30", .file = "00:30", .box = "00:30"},
    {.name = "Execute refuses 13 hours, once",
     .typed = "13:00",
     .key = Qt::Key_Execute,
     .file = "<absent>",
     .box = "13:00",
     .message = messages::invalidDuration},
    {.name = "Execute stores", .typed = "0:20", .key = Qt::Key_Execute, .file = "0:20", .box = "0:20"},
    {.name = "Execute as X11 hands it over",
     .typed = "0:20",
     .keysym = 0xff62,
     .toBox = true,
     .file = "0:20",
     .box = "0:20"},
    {.name = "Enter stores nothing",
     .typed = "0:20",
     .key = Qt::Key_Enter,
     .file = "<absent>",
     .box = "0:20"},
    {.name = "An unmapped key stores nothing",
     .typed = "0:20",
     .keysym = 0x1008ff2f,
     .file = "<absent>",
     .box = "0:20"},
};

// Where the window is shown from after the file changed but kept its size and time.
struct Reload
{
    const char* name;
    bool tray, shownFirst, closedFirst;
};
const Reload reloads[] = {
    {.name = "from the notification area", .tray = true, .shownFirst = false, .closedFirst = false},
    {.name = "right after a close", .tray = true, .shownFirst = true, .closedFirst = true},
    {.name = "from minimised without a notification area",
     .tray = false,
     .shownFirst = false,
     .closedFirst = false},
};

// Another program writes while the editor is open: OK writes, or is refused and the next OK writes.
struct Elsewhere
{
    const char* name;
    int edit; // 0: Add...
    QStringList elsewhere;
    bool refused = true, addedAsNew = true;
    QStringList memosAfter;
};
const Elsewhere writesElsewhere[] = {
    {.name = "add after an alarm another program added",
     .edit = 0,
     .elsewhere = {"a", "b", "c"},
     .refused = false,
     .memosAfter = {"a", "b", "c", "mine"}},
    {.name = "change while another program added an alarm",
     .edit = 1,
     .elsewhere = {"a", "b", "c"},
     .refused = false,
     .memosAfter = {"mine", "b", "c"}},
    {.name = "change of an alarm renumbered by a deletion elsewhere",
     .edit = 2,
     .elsewhere = {"b"},
     .addedAsNew = false,
     .memosAfter = {"mine"}},
    {.name = "change of an alarm changed elsewhere: added as new",
     .edit = 1,
     .elsewhere = {"theirs", "b"},
     .memosAfter = {"theirs", "b", "mine"}},
    {.name = "change of an alarm that now stands twice elsewhere: added as new",
     .edit = 2,
     .elsewhere = {"b", "x", "b"},
     .memosAfter = {"b", "x", "b", "mine"}},
    {.name = "change of an alarm deleted elsewhere: added as new",
     .edit = 2,
     .elsewhere = {"a"},
     .memosAfter = {"a", "mine"}},
};

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void listShowsEveryAlarmInIndexOrder()
    {
        Harness h;
        h.form.Form_Activate();
        QCOMPARE(h.column(0), QStringList({"7:00:00 AM", "8:15:00 AM", "7:30:00 PM", "12:00:00 PM"}));
        QCOMPARE(h.column(1), fourMemos);
        QCOMPARE(h.column(2), QStringList({"Sun,Mon,Tue,Wed,Thu,Fri,Sat", "Mon,Wed,Fri", "Sun,Sat", "Tue"}));
        QCOMPARE(h.column(3), fourStates);
        QCOMPARE(h.form.GetASound(4), "/x/ring.wav");
        QCOMPARE(h.form.GetASound(5), "");
        // No time is cut short.
        const auto* view = static_cast<QAbstractItemView*>(h.list());
        QVERIFY(h.list()->header()->sectionSize(0) >= view->sizeHintForColumn(0));
        QVERIFY(h.list()->header()->length() <= h.list()->maximumViewportSize().width());
        // An activation reloads, keeping the selected row.
        h.select(3);
        h.folder.write("Data.ini", alarms({"a", "b", "c", "d", "e"}));
        h.form.Form_Activate();
        QCOMPARE(h.column(1), QStringList({"a", "b", "c", "d", "e"}));
        QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(2));
    }

    void commands_data() { addRows(::commands); }
    void commands()
    {
        QFETCH(int, row);
        const Command& c = ::commands[row];
        Harness h;
        h.form.Form_Activate();
        for (std::int16_t i = 1; i <= 4; ++i)
            h.form.SetSnoozeValue(i, 0, static_cast<std::int16_t>(5 * i), false);
        if (c.failingStore && std::filesystem::remove(h.folder.file("Data.ini")))
            std::filesystem::create_directory(h.folder.file("Data.ini"));
        h.click(c.button, c.row);
        QCOMPARE(h.column(1), c.memos);
        QCOMPARE(h.column(3), c.states);
        QCOMPARE(h.snoozeMinutes(), c.snoozeMinutes);
        QCOMPARE(h.messages(), *c.message ? QStringList{c.message} : QStringList());
        QVERIFY(!h.form.editor().isVisible());
        // After a delete, a second Delete cannot take the next alarm.
        const bool deleted = QString(c.button) == "Command3" && !c.failingStore;
        QCOMPARE(h.list()->selectedItems().isEmpty(), c.row == 0 || deleted);
    }

    // The snooze counts from the press, a deleted alarm's OK touches no other, the one waiting rings next;
    // the sound plays at the alarm's own level.
    void ringingAlarms()
    {
        Harness h(
            "[Alarm]\nCount=3\n[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=<b>x</b>\nSound=/x/a.wav\n"
            "Volume=25\nFadeIn=15\n"
            "[Alarm2]\nState=1\nType=1234567\nTime=9:00 AM\nMemo=later\n"
            "[Alarm3]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=waiting\n");
        h.form.Form_Load();
        QVERIFY(h.form.Timer1->isActive() && h.form.trayIcon().isAdded() && h.form.isHidden());
        QPointer<notify::frmalarm> shown = h.form.alarmWindow().current();
        QCOMPARE(shown->txtMemo->toPlainText(), QString("<b>x</b>")); // no markup
        QTRY_VERIFY(h.sounds.log.filesStarted == std::vector<std::string>{"/x/a.wav"});
        QVERIFY(h.sounds.log.level.volume == 25 && h.sounds.log.level.fadeInSeconds == 15);
        h.clock.advanceMinutes(3);
        shown->cmbtime->setEditText("0:05");
        QTest::mouseClick(shown->cmdSnooze, Qt::LeftButton);
        QCOMPARE(h.snoozeMinutes(), (QList<int>{8, 0, 0}));
        QTRY_VERIFY(shown.isNull());
        QTRY_VERIFY(h.form.alarmWindow().current() != nullptr);
        QCOMPARE(h.form.alarmWindow().current()->txtMemo->toPlainText(), QString("waiting"));
        h.click("Command3", 1);
        h.form.SetSnoozeValue(1, 0, 30, false);
        h.click("Command3", 2); // the ringing one
        QTest::keyClick(h.form.alarmWindow().current()->OKButton, Qt::Key_Return);
        QCOMPARE(h.snoozeMinutes(), QList<int>{30});
    }

    void defaultSnoozeBox_data() { addRows(durations); }
    void defaultSnoozeBox()
    {
        QFETCH(int, row);
        const Duration& c = durations[row];
        Harness h;
        auto* box = h.form.findChild<QComboBox*>("cmbtime");
        h.form.show(); // typed keys go through the window's shortcuts first
        QVERIFY(QTest::qWaitForWindowActive(&h.form));
        box->lineEdit()->setFocus();
        box->clearEditText();
        QTest::keyClicks(box->lineEdit(), c.typed);
        if (c.key == 0 && c.keysym == 0) {
            h.click("cmdSet");
        } else if (c.keysym == 0) {
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key(c.key), QString(), Qt::NoModifier);
        } else {
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, 0, c.keysym, 0);
            QApplication::sendEvent(c.toBox ? static_cast<QWidget*>(box) : box->lineEdit(), &press);
        }
        QCOMPARE(h.read("Alarm", "DSnooze"), std::string(c.file));
        QCOMPARE(box->currentText(), QString(c.box));
        QCOMPARE(box->count(), 0);
        QCOMPARE(h.messages(), *c.message ? QStringList{c.message} : QStringList());
    }

    void addAndEditShareOneEditor()
    {
        Harness h;
        h.form.Form_Activate();
        h.click("Command2", 3);
        Dialog& editor = h.form.editor();
        QVERIFY(editor.isVisible() && editor.ModifMode());
        QCOMPARE(h.control<QPlainTextEdit>("txtMemo")->toPlainText(), QString("third"));
        h.click("Command3", 1);
        QCOMPARE(editor.AlIndex(), 2);
        // Its alarm deleted, the change closes unsaved.
        h.click("Command3", 2);
        QVERIFY(!editor.isVisible());
        QCOMPARE(h.read("Alarm2", "Memo"), std::string("fourth"));
        // An open Add stays when the last change's alarm goes.
        h.click("Command1");
        h.click("Command3", 2);
        QVERIFY(editor.isVisible());
        h.folder.write("Data.ini", alarms({"z"}));
        QTest::keyClick(&editor, Qt::Key_Escape);
        QCOMPARE(h.column(1), QStringList{"z"});
        h.click("Command1"); // and the main window goes first
    }

    void editorNeverWritesOverAnotherProgramsAlarm_data() { addRows(writesElsewhere); }
    void editorNeverWritesOverAnotherProgramsAlarm()
    {
        QFETCH(int, row);
        const Elsewhere& c = writesElsewhere[row];
        Harness h(alarms({"a", "b"}));
        h.form.Form_Load();
        Dialog& editor = h.form.editor();
        c.edit == 0 ? h.click("Command1") : h.click("Command2", c.edit);
        QVERIFY(editor.isVisible());
        h.folder.write("Data.ini", alarms(c.elsewhere));
        h.control<QPlainTextEdit>("txtMemo")->setPlainText("mine");
        QTest::mouseClick(h.control<QCheckBox>("Check2"), Qt::LeftButton, {}, {2, 2});
        h.control<QPushButton>("OKButton")->click();
        if (c.refused) {
            QCOMPARE(h.messages(), QStringList{messages::changedElsewhere});
            QCOMPARE(h.memos(), c.elsewhere);
            QCOMPARE(h.column(1), c.elsewhere);
            QVERIFY(editor.isVisible());
            QCOMPARE(editor.windowTitle(), c.addedAsNew ? "Set Alarm..." : "Change Alarm...");
            QCOMPARE(h.control<QPlainTextEdit>("txtMemo")->toPlainText(), QString("mine"));
            h.control<QPushButton>("OKButton")->click();
        }
        QVERIFY(!editor.isVisible());
        QCOMPARE(h.memos(), c.memosAfter);
        QCOMPARE(h.messages().size(), c.refused ? 1 : 0);
    }

    void showingTheWindowAlwaysReloads_data() { addRows(reloads); }
    void showingTheWindowAlwaysReloads()
    {
        QFETCH(int, row);
        const Reload& c = reloads[row];
        Harness h(alarms({"a", "b", "c", "d"}), c.tray);
        h.form.Form_Load();
        if (c.shownFirst)
            h.choose('r');
        if (c.closedFirst)
            h.form.close();
        const auto time = std::filesystem::last_write_time(h.folder.file("Data.ini"));
        h.folder.write("Data.ini", alarms({"w", "x", "y", "z"}));
        std::filesystem::last_write_time(h.folder.file("Data.ini"), time);
        c.tray ? h.choose('r') : h.form.mPopRestore_Click();
        QVERIFY(h.inSight());
        QCOMPARE(h.column(1), QStringList({"w", "x", "y", "z"}));
    }

    // Hidden, the window reads a hand-added alarm, which rings; a burst is read a few times; a file that
    // vanishes or becomes a folder changes nothing, and the watch goes on when one is back.
    void changesMadeElsewhereReachTheAlarms()
    {
        Harness h(alarms({"a"}));
        h.form.Form_Load();
        h.clock.set(2026, 12, 7, 7, 58);
        const std::string path = h.folder.file("Data.ini");
        auto* check = h.form.findChild<CheckTimer*>("Timer1");
        QSignalSpy checks(check, &CheckTimer::timeout);
        h.folder.write("Data.ini", alarms({"a", "b"}, "7:59 AM"));
        QTRY_COMPARE(h.form.alarmTable().ACount, 2);
        h.clock.advanceMinutes(1);
        check->runNow();
        QCOMPARE(h.form.alarmCheck().showingIndex(), std::optional<std::int16_t>(2));

        checks.clear();
        for (int i = 0; i < 100; ++i)
            h.folder.write("Data.ini", alarms(QStringList(i % 7 + 1, "x")));
        h.folder.write("Data.ini", alarms(QStringList(9, "last")));
        QTRY_COMPARE(h.form.alarmTable().ACount, 9);
        QVERIFY2(checks.count() <= 5, qPrintable(QString("%1 reloads").arg(checks.count())));

        QSignalSpy noticed(h.form.findChild<platform::FileChangeWatch*>(),
                           &platform::FileChangeWatch::changed);
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        QTRY_VERIFY(noticed.count() > 0);
        QCOMPARE(h.form.alarmTable().ACount, 9);
        std::filesystem::remove(path);
        h.folder.write("Data.ini", alarms({"back"}));
        QTRY_COMPARE(h.form.alarmTable().ACount, 1);
        QVERIFY(h.messages().isEmpty());
    }

    // The icon as drawn for the panel (no legs, no hammer) and at full size, by the digests of the images
    // last looked at: a change to the drawing shows here, to be looked at and its digest taken anew.
    void iconAsDrawn()
    {
        const std::pair<int, QByteArray> lookedAt[] = {{16, "f4e063f3cdc0b101"}, {64, "95aa065e61cd516b"}};
        for (const auto& [side, digest] : lookedAt) {
            const QImage drawn =
                mainwin::appIcon().pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
            const QByteArrayView pixels(drawn.constBits(), drawn.sizeInBytes());
            QCOMPARE(QCryptographicHash::hash(pixels, QCryptographicHash::Sha256).toHex().left(16), digest);
        }
    }

    // Close and minimise put the window away; only Exit ends, the icon first.
    void onlyExitEnds()
    {
        Harness h;
        QSignalSpy ended(&h.form, &Form1::programEnd);
        h.form.Form_Load();
        h.choose('r');
        QVERIFY(!h.form.close() && h.form.isHidden() && h.dialogs.asked.empty());
        h.choose('r');
        h.form.showMinimized();
        QTRY_VERIFY(h.form.isHidden());
        h.choose('e');
        QCOMPARE(ended.count(), 1);
        QVERIFY(!h.form.trayIcon().isAdded());
    }

    // Without a notification area, a close asks before ending; a logout does not.
    void closingWithoutANotificationAreaAsks()
    {
        for (const bool yes : {true, false}) {
            Harness h(fourAlarms, false);
            QSignalSpy ended(&h.form, &Form1::programEnd);
            h.form.Form_Load();
            QVERIFY(h.onTaskBarOnly());
            h.form.mPopRestore_Click();
            h.dialogs.answerYes = yes;
            h.form.close();
            QCOMPARE(h.dialogs.asked.size(), std::size_t{1});
            QCOMPARE(ended.count(), yes ? 1 : 0);
            QCOMPARE(h.onTaskBarOnly(), !yes);
            if (yes)
                continue;
            // Left on screen by a compositor without a minimised state, it goes when the area comes.
            h.form.setWindowState(Qt::WindowNoState);
            h.setTray(true);
            QVERIFY(h.form.isHidden());
            h.form.sessionEnding();
            h.form.close();
            QCOMPARE(ended.count(), 1);
            QCOMPARE(h.dialogs.asked.size(), std::size_t{1});
        }
    }

    // "Start at login" is marked as the setting stands when the menu opens, also after a failed change.
    void startAtLogin()
    {
        for (const bool fails : {false, true}) {
            Harness h;
            FakeAutostart autostart;
            QAction* item = h.form.trayIcon().startAtLoginAction();
            QVERIFY(!item->isEnabled());
            h.form.trayIcon().setStartAtLogin(&autostart, &h.dialogs);
            autostart.on = true; // in the desktop's own settings
            autostart.fails = fails;
            h.choose('l');
            QCOMPARE(autostart.on, fails);
            QCOMPARE(item->isChecked(), fails);
            QCOMPARE(h.messages(), fails ? QStringList{messages::changeNotSaved} : QStringList());
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
