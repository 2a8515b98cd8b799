// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user drives it: what each command leaves in Data.ini, the list and the message
// boxes.
#include "ui/main/Form1.h"

#include "FakeServices.h"
#include "ui/editor/Dialog.h"
#include "ui/main/CheckTimer.h"
#include "ui/notify/frmalarm.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

namespace {

// Four alarms on the fake clock's Monday 7:00; the fourth has a sound of its own.
const char* const fourAlarms = "[Alarm]\nCount=4\n"
                               "[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=first\nSound=\n"
                               "[Alarm2]\nState=0\nType=246\nTime=8:15 AM\nMemo=second\nSound=\n"
                               "[Alarm3]\nState=5\nType=17\nTime=19:30\nMemo=third\nSound=\n"
                               "[Alarm4]\nState=1\nType=3\nTime=12:00 PM\nMemo=fourth\nSound=/x/ring.wav\n";

const QStringList fourRows{"7:00:00 AM|first|Sun,Mon,Tue,Wed,Thu,Fri,Sat|On",
                           "8:15:00 AM|second|Mon,Wed,Fri|Off", "7:30:00 PM|third|Sun,Sat|Off",
                           "12:00:00 PM|fourth|Tue|On"};

// One alarm for each letter of memos, that letter its memo.
std::string alarms(const std::string& memos)
{
    std::string text = "[Alarm]\nCount=" + std::to_string(memos.size()) + "\n";
    for (std::size_t i = 0; i < memos.size(); ++i)
        text += "[Alarm" + std::to_string(i + 1) + "]\nState=1\nType=1234567\nTime=7:0" + std::to_string(i) +
                " AM\nMemo=" + memos[i] + "\nSound=\n";
    return text;
}

struct Harness : FakeServices
{
    // Data.ini, when given, is there before the window.
    explicit Harness(const std::string& data = "", bool tray = true)
    {
        if (!data.empty())
            write(data);
        form = std::make_unique<Form1>(
            services, nullptr, [tray] { return tray; }, Form1::Controls::AtOnce);
    }
    std::unique_ptr<Form1> form;
    QTreeWidget* list() const { return form->findChild<QTreeWidget*>("ListView1"); }
    QComboBox* cmbtime() const { return form->findChild<QComboBox*>("cmbtime"); }
    void write(const std::string& content) const { folder.write("Data.ini", content); }
    // One "time|memo|days|state" per row, or the columns asked for.
    QStringList rows(const QList<int>& columns = {0, 1, 2, 3}, const QString& separator = "|") const
    {
        QStringList result;
        for (int i = 0; list() != nullptr && i < list()->topLevelItemCount(); ++i) {
            QStringList cells;
            for (const int column : columns)
                cells << list()->topLevelItem(i)->text(column);
            result << cells.join(separator);
        }
        return result;
    }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row - 1)); }
    void press(const QString& name, int row = 0) const // row 0: no selection made
    {
        if (row > 0)
            select(row);
        QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    void load(const std::string& content) const
    {
        write(content);
        form->Form_Activate();
    }
    std::string memos() const { return rows({1}).join("").toStdString(); } // one letter per row
    // New alarms "wxyz" of the same size, the modification time put back: nothing on the file tells.
    void editKeepingStamp() const
    {
        const auto time = std::filesystem::last_write_time(folder.file("Data.ini"));
        write(alarms("wxyz"));
        std::filesystem::last_write_time(folder.file("Data.ini"), time);
    }
    QList<int> offsetMinutes() const
    {
        const auto& table = form->alarmTable();
        return {table.ASnoozeM.begin() + 1, table.ASnoozeM.begin() + 1 + table.ACount};
    }
};

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void listShowsEveryAlarmInIndexOrder()
    {
        Harness h;
        h.form->Form_Activate(); // columns come with the first load that finds Data.ini
        QCOMPARE(h.list()->columnCount(), 0);
        h.load(fourAlarms);
        QVERIFY(h.list()->header()->sectionSize(0) >
                h.list()->fontMetrics().horizontalAdvance("12:00:00 PM"));
        QVERIFY(h.list()->header()->length() <= h.list()->maximumViewportSize().width()); // no side scrolling
        QCOMPARE(h.rows(), fourRows);
        QCOMPARE(h.form->GetASound(4) + "|" + h.form->GetASound(5), std::string("/x/ring.wav|"));
        // Every activation rebuilds from the file, keeping the row the user was on.
        h.select(3);
        h.load(std::string(fourAlarms) + "[Alarm5]\nState=1\nType=\nTime=6:00\nMemo=fifth\n");
        QCOMPARE(h.list()->currentItem(), h.list()->topLevelItem(2));
    }

    // Alarm i starts with a snooze of 5*i minutes; row 0 is no selection. The list shows "memo state";
    // a failing store has Data.ini replaced by a folder, so that every write fails.
    void commands()
    {
        const char *all = "first On|second Off|third Off|fourth On", *kept = "5 10 15 20";
        const char* notSaved = "The change could not be saved.";
        for (const auto& [name, row, command, failingStore, list, file, offsets, message] :
             {std::tuple{"Edit... without a selection", 0, "Command2", false, all, "Alarm/Count=4", kept, ""},
              {"Delete without a selection", 0, "Command3", false, all, "Alarm/Count=4", kept, ""},
              {"On/Off without a selection", 0, "cmdOnOff", false, all, "Alarm1/State=1", kept, ""},
              {"Delete, failing write", 2, "Command3", true, all, "", kept, notSaved},
              {"Set, failing write", 2, "cmdSet", true, all, "", kept, notSaved},
              // The section past the new end is left behind.
              {"Delete", 2, "Command3", false, "first On|third Off|fourth On",
               "Alarm/Count=3 Alarm2/Memo=third Alarm3/Memo=fourth Alarm4/Memo=fourth", "5 15 20", ""},
              {"On/Off switches off, drops the snooze", 1, "cmdOnOff", false,
               "first Off|second Off|third Off|fourth On", "Alarm1/State=0 Alarm4/State=1", "0 10 15 20", ""},
              {"On/Off of a hand-written 5 switches on", 3, "cmdOnOff", false,
               "first On|second Off|third On|fourth On", "Alarm3/State=1", "5 10 0 20", ""}})
            commandRow(row, command, failingStore, list, file, offsets, message);
    }

private:
    void commandRow(int row, const QString& command, bool failingStore, const QString& list,
                    const QString& file, const QString& offsets, const QString& message)
    {
        Harness h;
        h.load(fourAlarms);
        for (std::int16_t i = 1; i <= 4; ++i)
            h.form->SetSnoozeValue(i, 0, static_cast<std::int16_t>(5 * i), false);
        if (failingStore && std::filesystem::remove(h.folder.file("Data.ini")))
            std::filesystem::create_directory(h.folder.file("Data.ini"));
        h.press(command, row);
        QCOMPARE(h.rows({1, 3}, " ").join('|'), list);
        for (const QString& entry : file.split(' ', Qt::SkipEmptyParts)) {
            const QStringList parts = entry.split(QRegularExpression("[/=]"));
            QCOMPARE(QString::fromStdString(h.read(parts[0].toStdString(), parts[1].toStdString())),
                     parts[2]);
        }
        QStringList minutes;
        for (const int m : h.offsetMinutes())
            minutes << QString::number(m);
        QCOMPARE(minutes.join(' '), offsets);
        QCOMPARE(h.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!h.form->editor().isVisible());
        // Nothing stays selected after a delete, so a second Delete cannot take the next alarm.
        QCOMPARE(h.list()->selectedItems().isEmpty(), row == 0 || (command == "Command3" && !failingStore));
    }

private slots:
    // Through the real check and notification window: the snooze counts from the press, a deleted ringing
    // alarm's OK touches no other alarm, and the alarm waiting behind it rings next under its new number.
    void ringingAlarms()
    {
        Harness h;
        h.write("[Alarm]\nCount=3\n[Alarm1]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=<b>x</b>\n"
                "[Alarm2]\nState=1\nType=1234567\nTime=9:00 AM\nMemo=later\n"
                "[Alarm3]\nState=1\nType=1234567\nTime=7:00 AM\nMemo=waiting\n");
        h.form->Form_Load();
        QVERIFY(h.form->Timer1->isActive() && h.form->trayIcon().isAdded() && h.form->isHidden());
        notify::frmalarm* shown = h.form->alarmWindow().current();
        QCOMPARE(shown->txtMemo->toPlainText(), QString("<b>x</b>")); // no markup
        h.clock.advanceMinutes(3);
        shown->cmbtime->setEditText("0:05");
        shown->cmdSnooze_Click();
        QCOMPARE(h.offsetMinutes(), (QList<int>{8, 0, 0}));
        QTRY_COMPARE(h.form->alarmWindow().current()->txtMemo->toPlainText(), QString("waiting"));
        h.press("Command3", 1);
        h.form->SetSnoozeValue(1, 0, 30, false);
        h.press("Command3", 2); // the ringing alarm: its window stays until dismissed
        h.form->alarmWindow().current()->OKButton_Click();
        QCOMPARE(h.offsetMinutes(), QList<int>{30});
        // Close and minimise put the window away; only the tray's Exit ends the program.
        QSignalSpy ended(h.form.get(), &Form1::programEnd);
        h.form->mPopRestore_Click();
        QVERIFY(!h.form->close() && h.form->isHidden() && h.dialogs.asked.empty());
        h.form->mPopRestore_Click();
        h.form->showMinimized();
        QTRY_VERIFY(h.form->isHidden());
        h.form->trayIcon().exitAction()->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!h.form->trayIcon().isAdded());
    }

    // Typed text, key (or a click on Set), X11 keysym, what DSnooze holds, the box after.
    void setStoresOnlyValidDurations()
    {
        for (const auto& [typed, key, keysym, stored, boxAfter] :
             {std::tuple{":30", -1, 0u, "00:30", "00:30"},
              {"13:00", -1, 0u, "<absent>", "13:00"},
              {"0:20", int(Qt::Key_Execute), 0u, "0:20", "0:20"},
              {"0:20", 0, 0xff62u, "0:20", "0:20"},
              {"0:20", 0, 0x1008ff2fu, "<absent>", "0:20"}})
            setDuration(typed, key, keysym, stored, boxAfter);
    }

private:
    // A key of -1 stands for a click on Set; a click that stores nothing must say why.
    void setDuration(const QString& typed, int key, quint32 keysym, const QString& stored,
                     const QString& boxAfter)
    {
        Harness h;
        h.cmbtime()->clearEditText();
        QTest::keyClicks(h.cmbtime()->lineEdit(), typed);
        if (key < 0) {
            h.press("cmdSet");
        } else {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, keysym, 0);
            QApplication::sendEvent(h.cmbtime()->lineEdit(), &press);
        }
        QCOMPARE(QString::fromStdString(h.read("Alarm", "DSnooze")), stored);
        QCOMPARE(h.cmbtime()->currentText(), boxAfter);
        QCOMPARE(h.cmbtime()->count(), 0);
        const bool refused = key < 0 && stored == "<absent>";
        QCOMPARE(h.messages(), refused ? QStringList{"Please enter a valid duration."} : QStringList());
    }

private slots:
    void addAndEditShareOneEditor()
    {
        Harness h;
        h.load(fourAlarms);
        h.press("Command2", 3);
        Dialog& editor = h.form->editor();
        QVERIFY(editor.isVisible() && editor.ModifMode());
        QCOMPARE(editor.findChild<QPlainTextEdit*>("txtMemo")->toPlainText(), QString("third"));
        h.press("Command3", 1);
        QCOMPARE(editor.AlIndex(), 2);
        // Its own alarm deleted: the change closes unsaved rather than write over the alarm that moved in.
        h.press("Command3", 2);
        QVERIFY(!editor.isVisible());
        QCOMPARE(h.read("Alarm2", "Memo"), std::string("fourth"));
        // Closing the editor reloads the list from the file.
        h.press("Command1");
        h.write("[Alarm]\nCount=1\n[Alarm1]\nState=0\nType=1\nTime=6:00 AM\nMemo=changed by hand\n");
        editor.reject();
        QCOMPARE(h.rows(), QStringList{"6:00:00 AM|changed by hand|Sun|Off"});
        h.press("Command1"); // the window goes with the editor open
    }

    // When the main window reloads Data.ini, and when its controls come to be.
    // From the notification area after start-up, right after a close, while on screen, and from minimised
    // with no notification area.
    void showingTheWindowAlwaysReloads()
    {
        for (const QString row : {"tray", "tray shown closed", "tray shown", "minimised"}) {
            Harness h(alarms("abcd"), row.startsWith("tray"));
            h.form->Form_Load();
            if (row.contains("shown"))
                h.form->mPopRestore_Click();
            if (row.contains("closed"))
                h.form->close();
            QCOMPARE(h.memos(), "abcd");
            h.editKeepingStamp(); // only the restore can bring the change
            h.form->mPopRestore_Click();
            QVERIFY(h.form->isVisible() && !h.form->isMinimized());
            QCOMPARE(h.memos(), "wxyz");
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
