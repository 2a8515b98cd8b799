#include "ui/notify/frmalarm.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "scheduler/AlarmCheck.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/notify/AlarmWindowHost.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>

namespace {

struct SnoozeCall
{
    std::int16_t index;
    std::int16_t hours;
    std::int16_t minutes;
    bool increment;
};

class FakeOwner : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment) override
    {
        calls.push_back({Index, SVH, SVM, Increment});
    }
    bool AlarmSoundPresent(std::int16_t Index) const override
    {
        const auto found = sounds.find(Index);
        return found != sounds.end() && !found->second.empty();
    }
    std::string GetASound(std::int16_t Index) const override
    {
        const auto found = sounds.find(Index);
        return found == sounds.end() ? std::string() : found->second;
    }
    std::vector<SnoozeCall> calls;
    std::map<std::int16_t, std::string> sounds;
};

// Two switched-on alarms at 7:00 every day.
store::AlarmTable twoAlarmsAtSeven()
{
    store::AlarmTable table;
    table.ACount = 2;
    const std::size_t size = 3;
    table.AType.assign(size, "1234567");
    table.AMemo = {"", "first", "second"};
    table.ATime.assign(size, "7:00:00 AM");
    table.ASound = {"", "/sounds/first.wav", "/sounds/second.wav"};
    table.AState.assign(size, 1);
    table.ASnoozeH.assign(size, 0);
    table.ASnoozeM.assign(size, 0);
    table.AStoredTime.assign(size, "7:00 AM");
    table.AClock.assign(size, store::AlarmClockTime{true, 7, 0});
    return table;
}

} // namespace

class TestFrmalarm : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<fakes::TempFolder> folder;
    std::unique_ptr<platform::StdFiles> files;
    FakeOwner owner;
    fakes::FakeDialogs dialogs;
    fakes::FakeSoundPlayerFactory sounds;
    std::unique_ptr<notify::frmalarm> window;

    void writeDefaultSnooze(const std::string& value)
    {
        folder->write("Data.ini", "[Alarm]\r\nDSnooze=" + value + "\r\nCount=0\r\n");
    }
    // A window as the check hands it over, without waiting for the window system.
    notify::frmalarm& ringing(std::int16_t index = 1)
    {
        window = std::make_unique<notify::frmalarm>(owner, *files, dialogs, sounds);
        window->AlarmIndex = index;
        window->Form_Activate();
        return *window;
    }

private slots:
    void init()
    {
        folder = std::make_unique<fakes::TempFolder>();
        files = std::make_unique<platform::StdFiles>(folder->path());
        owner = FakeOwner();
        dialogs.shown.clear();
        sounds.log = fakes::SoundLog();
    }
    void cleanup() { window.reset(); }

    void layoutAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("txttitle") << "txttitle" << QRect(7, 7, 291, 29);
        QTest::newRow("Label1") << "Label1" << QRect(11, 59, 127, 15);
        QTest::newRow("txtMemo") << "txtMemo" << QRect(8, 79, 373, 122);
        QTest::newRow("cmbtime") << "cmbtime" << QRect(8, 208, 112, 21);
        QTest::newRow("cmdSnooze") << "cmdSnooze" << QRect(121, 208, 81, 25);
        QTest::newRow("OKButton") << "OKButton" << QRect(208, 208, 81, 25);
        QTest::newRow("Label9") << "Label9" << QRect(24, 232, 81, 9);
    }
    void layoutAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        notify::frmalarm form(owner, *files, dialogs, sounds);
        auto* control = form.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
    }

    void windowFrame()
    {
        notify::frmalarm form(owner, *files, dialogs, sounds);
        QCOMPARE(form.windowTitle(), QString("Alarm!"));
        QCOMPARE(form.minimumSize(), QSize(385, 248));
        QCOMPARE(form.maximumSize(), QSize(385, 248));
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags &
                  (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(form.txttitle->isReadOnly());
        QVERIFY(form.txtMemo->isReadOnly());
        QCOMPARE(form.cmbtime->currentText(), QString("Snooze Duration"));
        QCOMPARE(form.cmbtime->count(), 0);
        QCOMPARE(form.cmbtime->toolTip(), QString("Select from the list or enter a time(HH:MM AM/PM)."));
        QCOMPARE(form.txtMemo->palette().color(QPalette::Base), form.palette().color(QPalette::Button));
        // Focus goes OK, Snooze, title, memo, duration box and round again.
        const QList<QWidget*> controls{form.OKButton, form.cmdSnooze, form.txttitle, form.txtMemo,
                                       form.cmbtime};
        QList<QWidget*> chain{form.OKButton};
        for (QWidget* at = form.OKButton->nextInFocusChain(); at != form.OKButton && chain.size() < 20;
             at = at->nextInFocusChain()) {
            if (controls.contains(at))
                chain << at;
        }
        QCOMPARE(chain, controls);
    }

    void activationFillsBoxAndStartsSound_data()
    {
        QTest::addColumn<QString>("stored"); // "-" for no Data.ini
        QTest::addColumn<QString>("box");
        QTest::newRow("no Data.ini") << "-"
                                     << "00:05";
        QTest::newRow("stored 0:10") << "0:10"
                                     << "0:10";
        QTest::newRow("key absent") << ""
                                    << "00:05";
    }
    void activationFillsBoxAndStartsSound()
    {
        QFETCH(QString, stored);
        QFETCH(QString, box);
        if (stored == "")
            folder->write("Data.ini", "[Alarm]\r\nCount=0\r\n");
        else if (stored != "-")
            writeDefaultSnooze(stored.toStdString());
        notify::frmalarm form(owner, *files, dialogs, sounds);
        QCOMPARE(sounds.log.created, 0); // nothing loads a player before the window rings
        form.AlarmIndex = 1;
        form.Form_Activate();
        QCOMPARE(form.cmbtime->currentText(), box);
        QCOMPARE(sounds.log.created, 1);
        QCOMPARE(sounds.log.filesStarted.size(), std::size_t{1});
    }

    void reactivationDropsTypedTextAndRestartsSound()
    {
        writeDefaultSnooze("0:10");
        notify::frmalarm& form = ringing();
        form.cmbtime->setEditText("1:00");
        sounds.log.position = 0.7;
        form.Form_Activate();
        QCOMPARE(form.cmbtime->currentText(), QString("0:10"));
        QCOMPARE(sounds.log.filesStarted.size(), std::size_t{2});
        QCOMPARE(sounds.log.position, 0.0);
        QCOMPARE(sounds.log.created, 1); // the same player starts over
    }

    void snooze_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::newRow("0:05") << "0:05"
                              << "0:05" << true << 0 << 5;
        QTest::newRow("zero") << "0:00"
                              << "0:00" << true << 0 << 0;
        QTest::newRow("largest") << "12:59"
                                 << "12:59" << true << 12 << 59;
        QTest::newRow("hours missing") << ":10"
                                       << "00:10" << true << 0 << 10;
        QTest::newRow("minutes missing") << "2:"
                                         << "2:00" << true << 2 << 0;
        QTest::newRow("colon alone") << ":"
                                     << "00:00" << true << 0 << 0;
        QTest::newRow("blanks around") << " 0:05 "
                                       << " 0:05 " << true << 0 << 5;
        QTest::newRow("13 hours") << "13:00"
                                  << "13:00" << false << 0 << 0;
        QTest::newRow("60 minutes") << "1:60"
                                    << "1:60" << false << 0 << 0;
        QTest::newRow("no colon") << "15"
                                  << "15" << false << 0 << 0;
        QTest::newRow("with PM") << "1:05 PM"
                                 << "1:05 PM" << false << 0 << 0;
        QTest::newRow("letters") << "ab:cd"
                                 << "ab:cd" << false << 0 << 0;
        QTest::newRow("repair kept when invalid") << ":123"
                                                  << "00:123" << false << 0 << 0;
        QTest::newRow("empty") << ""
                               << "" << false << 0 << 0;
    }
    void snooze()
    {
        QFETCH(QString, typed);
        QFETCH(QString, boxAfter);
        QFETCH(bool, valid);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        notify::frmalarm& form = ringing(3);
        QSignalSpy finished(&form, &notify::frmalarm::finished);
        form.cmbtime->setEditText(typed);
        form.cmdSnooze_Click();
        QCOMPARE(form.cmbtime->currentText(), boxAfter);
        if (valid) {
            QVERIFY(dialogs.shown.empty());
            QCOMPARE(owner.calls.size(), std::size_t{1});
            QCOMPARE(owner.calls[0].index, std::int16_t{3});
            QCOMPARE(owner.calls[0].hours, hours);
            QCOMPARE(owner.calls[0].minutes, minutes);
            QVERIFY(owner.calls[0].increment);
            QCOMPARE(finished.count(), 1);
            QCOMPARE(sounds.log.alive, 0); // the sound ends with the window
        } else {
            QCOMPARE(dialogs.shown.size(), std::size_t{1});
            QCOMPARE(dialogs.shown[0].text, std::string("Please enter a valid duration."));
            QCOMPARE(dialogs.shown[0].title, std::string("Wakery"));
            QCOMPARE(dialogs.shown[0].icon, platform::MessageIcon::Critical);
            QVERIFY(owner.calls.empty());
            QCOMPARE(finished.count(), 0);
            QCOMPARE(sounds.log.alive, 1); // still ringing
            QVERIFY(form.Timer1->isActive());
        }
    }

    void okClearsOffsets()
    {
        notify::frmalarm& form = ringing(2);
        QSignalSpy finished(&form, &notify::frmalarm::finished);
        form.cmbtime->setEditText("0:30");
        form.OKButton_Click();
        QCOMPARE(owner.calls.size(), std::size_t{1});
        QCOMPARE(owner.calls[0].index, std::int16_t{2});
        QCOMPARE(owner.calls[0].hours, 0);
        QCOMPARE(owner.calls[0].minutes, 0);
        QVERIFY(!owner.calls[0].increment);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(sounds.log.alive, 0);
        QVERIFY(!form.Timer1->isActive());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome"); // "ok", "snooze" or "none"
        QTest::newRow("Enter on OK") << "OKButton" << int(Qt::Key_Return) << "ok";
        QTest::newRow("Enter in the duration box") << "cmbtime" << int(Qt::Key_Return) << "ok";
        QTest::newRow("keypad Enter in the box") << "cmbtime" << int(Qt::Key_Enter) << "ok";
        QTest::newRow("Enter in the memo") << "txtMemo" << int(Qt::Key_Return) << "ok";
        QTest::newRow("Enter on Snooze") << "cmdSnooze" << int(Qt::Key_Return) << "snooze";
        QTest::newRow("Esc on OK") << "OKButton" << int(Qt::Key_Escape) << "none";
        QTest::newRow("Esc in the box") << "cmbtime" << int(Qt::Key_Escape) << "none";
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        notify::frmalarm& form = ringing(1);
        form.show();
        QSignalSpy finished(&form, &notify::frmalarm::finished);
        form.cmbtime->setEditText("0:20");
        auto* target = form.findChild<QWidget*>(focus);
        target->setFocus();
        QWidget* receiver = focus == "cmbtime" ? form.cmbtime->lineEdit() : target;
        QTest::keyClick(receiver, Qt::Key(key));
        if (outcome == "none") {
            QVERIFY(owner.calls.empty());
            QCOMPARE(finished.count(), 0);
            QVERIFY(form.isVisible());
            return;
        }
        QCOMPARE(owner.calls.size(), std::size_t{1});
        QCOMPARE(owner.calls[0].increment, outcome == "snooze");
        QCOMPARE(owner.calls[0].minutes, outcome == "snooze" ? 20 : 0);
        QCOMPARE(finished.count(), 1);
    }

    void closeRequestIgnored()
    {
        notify::frmalarm& form = ringing(1);
        form.show();
        QSignalSpy finished(&form, &notify::frmalarm::finished);
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(finished.count(), 0);
        QCOMPARE(sounds.log.alive, 1);
    }

    void soundFile_data()
    {
        QTest::addColumn<QString>("ownSound");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected"); // "default" for default.wav in the program's folder
        QTest::newRow("own sound") << "/music/wake up.mp3" << 1 << "/music/wake up.mp3";
        QTest::newRow("no sound of its own") << "" << 1 << "default";
        QTest::newRow("missing file still chosen") << "/nowhere/none.wav" << 1 << "/nowhere/none.wav";
        QTest::newRow("index without alarm") << "/music/a.wav" << 9 << "default";
    }
    void soundFile()
    {
        QFETCH(QString, ownSound);
        QFETCH(int, index);
        QFETCH(QString, expected);
        owner.sounds[1] = ownSound.toStdString();
        ringing(static_cast<std::int16_t>(index));
        const std::string wanted =
            expected == "default" ? platform::programFile(*files, "default.wav") : expected.toStdString();
        QCOMPARE(sounds.log.filesStarted.back(), wanted);
        QVERIFY(dialogs.shown.empty());
    }

    void repeatCheck_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("position");
        QTest::addColumn<bool>("restart");
        QTest::newRow("0.3 s at start") << 0.3 << 0.0 << true;
        QTest::newRow("0.3 s near end") << 0.3 << 0.28 << true;
        QTest::newRow("2.0 s at 1.49") << 2.0 << 1.49 << false;
        QTest::newRow("2.0 s at 1.5") << 2.0 << 1.5 << true;
        QTest::newRow("2.0 s at end") << 2.0 << 2.0 << true;
        QTest::newRow("2.5 s at 1.49") << 2.5 << 1.49 << false;
        QTest::newRow("2.5 s at 1.5") << 2.5 << 1.5 << true;
        QTest::newRow("2.5 s at end, half to even") << 2.5 << 2.5 << true;
        QTest::newRow("3.5 s at 2.5, half to even") << 3.5 << 2.5 << false;
        QTest::newRow("3.5 s at 3.49") << 3.5 << 3.49 << false;
        QTest::newRow("3.5 s at end") << 3.5 << 3.5 << true;
        QTest::newRow("10.52 s at 10.49") << 10.52 << 10.49 << false;
        QTest::newRow("10.52 s at 10.5, half to even") << 10.52 << 10.5 << false;
        QTest::newRow("10.52 s at 10.51") << 10.52 << 10.51 << true;
        QTest::newRow("10.52 s at end") << 10.52 << 10.52 << true;
        QTest::newRow("unplayable: both 0") << 0.0 << 0.0 << true;
    }
    void repeatCheck()
    {
        QFETCH(double, length);
        QFETCH(double, position);
        QFETCH(bool, restart);
        notify::frmalarm& form = ringing();
        sounds.log.length = length;
        sounds.log.position = position;
        form.Timer1_Timer();
        QCOMPARE(sounds.log.plays, restart ? 1 : 0);
        QCOMPARE(sounds.log.positionsSet, restart ? std::vector<double>{0.0} : std::vector<double>{});
    }

    void hostShowsMemoAsPlainText()
    {
        notify::AlarmWindowHost host(owner, *files, dialogs, sounds);
        QSignalSpy closed(&host, &notify::AlarmWindowHost::windowClosed);
        host.showAlarm(4, "<b>x</b> & <i>y</i>", "7:00:00 AM");
        notify::frmalarm* shown = host.current();
        QVERIFY(shown != nullptr);
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->AlarmIndex, std::int16_t{4});
        QCOMPARE(shown->txtMemo->toPlainText(), QString("<b>x</b> & <i>y</i>"));
        QCOMPARE(shown->txttitle->text(), QString("7:00:00 AM"));
        QTRY_COMPARE(sounds.log.created, 1); // the sound follows the window onto the screen
        QPointer<notify::frmalarm> guard(shown);
        shown->OKButton_Click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(host.current() == nullptr);
        QTRY_VERIFY(guard.isNull()); // a fresh window for the next alarm
    }

    // The window reports through the host, which answers for the alarm the check says is showing.
    void hostFollowsTheCheck_data()
    {
        QTest::addColumn<int>("lateMinutes");
        QTest::addColumn<bool>("deleteFirst");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expectedIndex"); // 0: nothing reported
        QTest::addColumn<int>("expectedHours");
        QTest::addColumn<int>("expectedMinutes");
        QTest::newRow("snooze in its own minute") << 0 << false << "snooze" << 1 << 0 << 5;
        QTest::newRow("snooze 3 minutes late") << 3 << false << "snooze" << 1 << 0 << 8;
        QTest::newRow("snooze 2 h 58 min late") << 178 << false << "snooze" << 1 << 2 << 63;
        QTest::newRow("OK when late") << 3 << false << "ok" << 1 << 0 << 0;
        QTest::newRow("alarm deleted while ringing") << 0 << true << "ok" << 0 << 0 << 0;
    }
    void hostFollowsTheCheck()
    {
        QFETCH(int, lateMinutes);
        QFETCH(bool, deleteFirst);
        QFETCH(QString, button);
        QFETCH(int, expectedIndex);
        QFETCH(int, expectedHours);
        QFETCH(int, expectedMinutes);
        folder->write("Data.ini", "[Alarm]\r\nCount=2\r\n");
        store::AlarmTable table = twoAlarmsAtSeven();
        owner.sounds = {{1, table.ASound[1]}, {2, table.ASound[2]}}; // the owner answers from its table
        fakes::FakeClock clock;                                      // a Monday, 7:00
        notify::AlarmWindowHost host(owner, *files, dialogs, sounds);
        scheduler::AlarmCheck check(clock, *files, table, host);
        host.setCheck(&check);
        check.Timer1_Timer();
        notify::frmalarm* shown = host.current();
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->txtMemo->toPlainText(), QString("first"));
        QTRY_COMPARE(sounds.log.filesStarted.size(), std::size_t{1});
        QCOMPARE(sounds.log.filesStarted[0], std::string("/sounds/first.wav"));
        clock.advanceMinutes(lateMinutes);
        if (deleteFirst)
            check.alarmRemoved(1);
        shown->cmbtime->setEditText("0:05");
        if (button == "ok")
            shown->OKButton_Click();
        else
            shown->cmdSnooze_Click();
        if (expectedIndex == 0) {
            QVERIFY(owner.calls.empty());
        } else {
            QCOMPARE(owner.calls.size(), std::size_t{1});
            QCOMPARE(owner.calls[0].index, expectedIndex);
            QCOMPARE(owner.calls[0].hours, expectedHours);
            QCOMPARE(owner.calls[0].minutes, expectedMinutes);
        }
        // The second alarm waited behind the first and rings as the window closes, in a fresh window.
        if (!deleteFirst) {
            QVERIFY(host.current() != nullptr);
            QVERIFY(host.current() != shown);
            QCOMPARE(host.current()->txtMemo->toPlainText(), QString("second"));
            host.current()->OKButton_Click();
        }
    }

    void activationFromAnotherProgramWindowCounts()
    {
        writeDefaultSnooze("0:10");
        notify::AlarmWindowHost host(owner, *files, dialogs, sounds);
        QWidget mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        host.showAlarm(1, "memo", "7:00:00 AM");
        notify::frmalarm* shown = host.current();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(sounds.log.filesStarted.size(), std::size_t{1}); // the show, not its activation as well
        shown->cmbtime->setEditText("2:00");

        mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        shown->Timer1_Timer(); // takes the activation back
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(sounds.log.filesStarted.size(), std::size_t{2});
        QCOMPARE(shown->cmbtime->currentText(), QString("0:10"));
        shown->OKButton_Click();
    }
};

QTEST_MAIN(TestFrmalarm)
#include "tst_frmalarm.moc"
