// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user drives it: its buttons and default snooze box, the notification-area icon
// and its menu, and the ringing window the check opens; what each leaves in Data.ini, the list and the boxes.
#include "ui/main/Form1.h"

#include "FakeServices.h"
#include "platform/Autostart.h"
#include "ui/editor/Dialog.h"
#include "ui/main/CheckTimer.h"
#include "ui/notify/frmalarm.h"

#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QTreeWidget>

#include <filesystem>

namespace {

// Four alarms on the fake clock's Monday 7:00; the fourth has a sound of its own.
const char* const fourAlarms = "[Alarm]\nCount=4\n"
                               "[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=first\nSound=\n"
                               "[Alarm2]\nState=0\nType=246\nTime=8:15 AM\nMemo=second\nSound=\n"
                               "[Alarm3]\nState=5\nType=17\nTime=19:30\nMemo=third\nSound=\n"
                               "[Alarm4]\nState=1\nType=3\nTime=12:00 PM\nMemo=fourth\nSound=/x/ring.wav\n";

// The autostart setting as the desktop reads it; a change can be made to fail.
struct FakeAutostart : platform::Autostart
{
    bool isEnabled() const override { return on; }
    bool setEnabled(bool wanted) override { return !fails && ((on = wanted), true); }
    bool on = false, fails = false;
};

struct Harness : FakeServices
{
    // The offscreen platform has no notification area of its own, so its coming and going is played.
    explicit Harness(const std::string& data = fourAlarms, bool withTray = true) : tray(withTray)
    {
        folder.write("Data.ini", data);
    }
    bool tray;
    Form1 form{services, nullptr, [this] { return tray; }};

    QTreeWidget* list() const { return form.findChild<QTreeWidget*>("ListView1"); }
    QComboBox* cmbtime() const { return form.findChild<QComboBox*>("cmbtime"); }
    QStringList column(int column) const
    {
        QStringList cells;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            cells << list()->topLevelItem(i)->text(column);
        return cells;
    }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row - 1)); }
    void click(const char* button, int row = 0) const // row 0: nothing selected
    {
        if (row > 0)
            select(row);
        QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // Opens the icon's menu and presses the item's underlined letter.
    void choose(char letter)
    {
        auto* menu = qobject_cast<QMenu*>(form.trayIcon().exitAction()->parent());
        menu->popup({});
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::keyClick(menu, letter);
        QTRY_VERIFY(!menu->isVisible());
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

// Alarm i starts with a snooze of 5*i minutes; a field left out stays as it was.
const QStringList fourMemos{"first", "second", "third", "fourth"}, fourStates{"On", "Off", "Off", "On"};
const char* const notSaved = "The change could not be saved.";
struct Command
{
    const char* name;
    int row = 0; // 0: nothing selected
    const char* button;
    bool failingStore = false; // Data.ini replaced by a folder: every write fails
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
     .message = notSaved},
    {.name = "Set, failing write", .row = 2, .button = "cmdSet", .failingStore = true, .message = notSaved},
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
    const char* file;   // DSnooze after
    const char* box;    // the box after
    const char* message = "";
};
const Duration durations[] = {
    {.name = "Set repairs a missing hour", .typed = ":30", .file = "00:30", .box = "00:30"},
    {.name = "Set refuses 13 hours",
     .typed = "13:00",
     .file = "<absent>",
     .box = "13:00",
     .message = "Please enter a valid duration."},
    {.name = "Execute stores", .typed = "0:20", .key = Qt::Key_Execute, .file = "0:20", .box = "0:20"},
    {.name = "Execute as X11 hands it over",
     .typed = "0:20",
     .keysym = 0xff62,
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

// From where the window is shown again, after the file changed without changing its size or time.
struct Reload
{
    const char* name;
    bool tray, shownFirst, closedFirst;
};
const Reload reloads[] = {
    {.name = "from the notification area", .tray = true, .shownFirst = false, .closedFirst = false},
    {.name = "right after a close", .tray = true, .shownFirst = true, .closedFirst = true},
    {.name = "while on screen", .tray = true, .shownFirst = true, .closedFirst = false},
    {.name = "from minimised without a notification area",
     .tray = false,
     .shownFirst = false,
     .closedFirst = false},
};

std::string alarmsWithMemos(const std::string& memos) // one alarm for each letter, that letter its memo
{
    std::string text = "[Alarm]\nCount=" + std::to_string(memos.size()) + "\n";
    for (std::size_t i = 0; i < memos.size(); ++i)
        text += "[Alarm" + std::to_string(i + 1) + "]\nType=1\nTime=7:00 AM\nMemo=" + memos[i] + "\n";
    return text;
}

// Tray icon activations: -1 is the menu's Restore.
struct Activation
{
    const char* name;
    int reason;
    bool shows;
};
const Activation activations[] = {
    {.name = "Restore in the menu", .reason = -1, .shows = true},
    {.name = "left click", .reason = QSystemTrayIcon::Trigger, .shows = true},
    {.name = "double click", .reason = QSystemTrayIcon::DoubleClick, .shows = true},
    {.name = "right click opens the menu only", .reason = QSystemTrayIcon::Context, .shows = false},
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
        QVERIFY(h.list()->header()->sectionSize(0) >
                h.list()->fontMetrics().horizontalAdvance("12:00:00 PM"));
        QVERIFY(h.list()->header()->length() <= h.list()->maximumViewportSize().width()); // no side scrolling
        // Every activation rebuilds from the file, keeping the row the user was on.
        h.select(3);
        h.folder.write("Data.ini", alarmsWithMemos("abcde"));
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
        // Nothing stays selected after a delete, so a second Delete cannot take the next alarm.
        const bool deleted = QString(c.button) == "Command3" && !c.failingStore;
        QCOMPARE(h.list()->selectedItems().isEmpty(), c.row == 0 || deleted);
    }

    // Through the real check and ringing window: the snooze counts from the press, a deleted ringing
    // alarm's OK touches no other alarm, and the alarm waiting behind it rings next under its new number.
    void ringingAlarms()
    {
        Harness h("[Alarm]\nCount=3\n[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=<b>x</b>\n"
                  "[Alarm2]\nState=1\nType=1234567\nTime=9:00 AM\nMemo=later\n"
                  "[Alarm3]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=waiting\n");
        h.form.Form_Load();
        QVERIFY(h.form.Timer1->isActive() && h.form.trayIcon().isAdded() && h.form.isHidden());
        QPointer<notify::frmalarm> shown = h.form.alarmWindow().current();
        QCOMPARE(shown->txtMemo->toPlainText(), QString("<b>x</b>")); // no markup
        h.clock.advanceMinutes(3);
        shown->cmbtime->setEditText("0:05");
        QTest::mouseClick(shown->cmdSnooze, Qt::LeftButton);
        QCOMPARE(h.snoozeMinutes(), (QList<int>{8, 0, 0}));
        QTRY_VERIFY(shown.isNull()); // the window goes with its answer
        QTRY_VERIFY(h.form.alarmWindow().current() != nullptr);
        QCOMPARE(h.form.alarmWindow().current()->txtMemo->toPlainText(), QString("waiting"));
        h.click("Command3", 1);
        h.form.SetSnoozeValue(1, 0, 30, false);
        h.click("Command3", 2); // the ringing alarm: its window stays until answered
        QTest::keyClick(h.form.alarmWindow().current()->OKButton, Qt::Key_Return);
        QCOMPARE(h.snoozeMinutes(), QList<int>{30});
    }

    void defaultSnoozeBox_data() { addRows(durations); }
    void defaultSnoozeBox()
    {
        QFETCH(int, row);
        const Duration& c = durations[row];
        Harness h;
        h.cmbtime()->clearEditText();
        QTest::keyClicks(h.cmbtime()->lineEdit(), c.typed);
        if (c.key == 0 && c.keysym == 0) {
            h.click("cmdSet");
        } else {
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, 0, c.keysym, 0);
            QApplication::sendEvent(h.cmbtime()->lineEdit(), &press);
        }
        QCOMPARE(h.read("Alarm", "DSnooze"), std::string(c.file));
        QCOMPARE(h.cmbtime()->currentText(), QString(c.box));
        QCOMPARE(h.cmbtime()->count(), 0);
        QCOMPARE(h.messages(), *c.message ? QStringList{c.message} : QStringList());
    }

    void addAndEditShareOneEditor()
    {
        Harness h;
        h.form.Form_Activate();
        h.click("Command2", 3);
        Dialog& editor = h.form.editor();
        QVERIFY(editor.isVisible() && editor.ModifMode());
        QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("third"));
        h.click("Command3", 1);
        QCOMPARE(editor.AlIndex(), 2);
        // Its own alarm deleted: the change closes unsaved rather than write over the alarm that moved in.
        h.click("Command3", 2);
        QVERIFY(!editor.isVisible());
        QCOMPARE(h.read("Alarm2", "Memo"), std::string("fourth"));
        // An Add left open is no change: deleting the alarm the last change was on leaves it open.
        h.click("Command1");
        h.click("Command3", 2);
        QVERIFY(editor.isVisible());
        // Closing the editor reloads the list from the file.
        h.folder.write("Data.ini", alarmsWithMemos("z"));
        QTest::keyClick(&editor, Qt::Key_Escape);
        QCOMPARE(h.column(1), QStringList{"z"});
        h.click("Command1"); // the window goes with the editor open
    }

    void showingTheWindowAlwaysReloads_data() { addRows(reloads); }
    void showingTheWindowAlwaysReloads()
    {
        QFETCH(int, row);
        const Reload& c = reloads[row];
        Harness h(alarmsWithMemos("abcd"), c.tray);
        h.form.Form_Load();
        if (c.shownFirst)
            h.choose('r');
        if (c.closedFirst)
            h.form.close();
        // New alarms of the same size, the modification time put back: only the showing can bring them.
        const auto time = std::filesystem::last_write_time(h.folder.file("Data.ini"));
        h.folder.write("Data.ini", alarmsWithMemos("wxyz"));
        std::filesystem::last_write_time(h.folder.file("Data.ini"), time);
        c.tray ? h.choose('r') : h.form.mPopRestore_Click();
        QVERIFY(h.inSight());
        QCOMPARE(h.column(1), QStringList({"w", "x", "y", "z"}));
    }

    void restoreFromTheTray_data() { addRows(activations); }
    void restoreFromTheTray()
    {
        QFETCH(int, row);
        const Activation& c = activations[row];
        Harness h;
        h.form.Form_Load();
        c.reason < 0
            ? h.choose('r')
            : h.form.trayIcon().onActivated(static_cast<QSystemTrayIcon::ActivationReason>(c.reason));
        QCOMPARE(h.inSight(), c.shows);
    }

    // Close and minimise put the window away; only the menu's Exit ends the program, the icon first.
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

    // A notification area that goes leaves the window on the task bar; back, it takes the window again,
    // but not one the user is looking at.
    void aNotificationAreaThatGoesAndComesBack()
    {
        Harness h;
        h.form.Form_Load();
        h.setTray(false);
        QVERIFY(h.onTaskBarOnly());
        h.setTray(true);
        QVERIFY(h.form.isHidden());
        h.choose('r');
        h.setTray(false);
        h.setTray(true);
        QVERIFY(h.inSight());
    }

    // Without a notification area, closing asks before ending; No keeps the window on the task bar.
    void closingWithoutANotificationAreaAsks()
    {
        for (const bool yes : {true, false}) {
            Harness h(fourAlarms, false);
            QSignalSpy ended(&h.form, &Form1::programEnd);
            h.form.Form_Load();
            QVERIFY(h.onTaskBarOnly()); // where start-up leaves it
            h.form.mPopRestore_Click();
            h.dialogs.answerYes = yes;
            h.form.close();
            QCOMPARE(h.dialogs.asked.size(), std::size_t{1});
            QCOMPARE(ended.count(), yes ? 1 : 0);
            QCOMPARE(h.onTaskBarOnly(), !yes);
        }
    }

    // "Start at login" in the icon's menu: its mark shows the setting as it stands when the menu opens,
    // also after a change that failed.
    void startAtLogin()
    {
        for (const bool fails : {false, true}) {
            Harness h;
            FakeAutostart autostart;
            QAction* item = h.form.trayIcon().startAtLoginAction();
            QVERIFY(!item->isEnabled());
            h.form.trayIcon().setStartAtLogin(&autostart, &h.dialogs);
            autostart.on = true; // changed in the desktop's own settings meanwhile
            autostart.fails = fails;
            h.choose('l');
            QCOMPARE(autostart.on, fails);
            QCOMPARE(item->isChecked(), fails);
            QCOMPARE(h.messages(), fails ? QStringList{notSaved} : QStringList());
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
