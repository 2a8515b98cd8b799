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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>

namespace {

// Records each write of the offsets as "index +H:M" (added) or "index =H:M" (set).
class FakeOwner : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment) override
    {
        calls << QString("%1 %2%3:%4").arg(Index).arg(Increment ? '+' : '=').arg(SVH).arg(SVM);
    }
    bool AlarmSoundPresent(std::int16_t Index) const override { return !GetASound(Index).empty(); }
    std::string GetASound(std::int16_t Index) const override
    {
        const auto found = sounds.find(Index);
        return found == sounds.end() ? std::string() : found->second;
    }
    QStringList calls;
    std::map<std::int16_t, std::string> sounds;
};

// Actions in place of a key press.
constexpr int clickSnooze = 0, clickOk = -1, closeRequest = -2;

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

    void activationFillsBoxAndStartsSound_data()
    {
        QTest::addColumn<QString>("dataIni"); // "-" for none
        QTest::addColumn<QString>("box");
        QTest::newRow("no Data.ini") << "-" << QString("00:05");
        QTest::newRow("stored 0:10") << "[Alarm]\r\nDSnooze=0:10\r\n" << QString("0:10");
        QTest::newRow("key absent") << "[Alarm]\r\nCount=0\r\n" << QString("00:05");
    }
    void activationFillsBoxAndStartsSound()
    {
        QFETCH(QString, dataIni);
        QFETCH(QString, box);
        if (dataIni != "-")
            folder->write("Data.ini", dataIni.toStdString());
        notify::frmalarm form(owner, *files, dialogs, sounds);
        QCOMPARE(sounds.log.created, 0); // no player before the window rings
        form.AlarmIndex = 1;
        form.Form_Activate();
        QCOMPARE(form.cmbtime->currentText(), box);
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

    // OK, Snooze with a valid duration and Enter end the ring; Snooze with an invalid duration, Esc and
    // the window manager's close leave it ringing.
    void answers_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key"); // a key, or one of the actions above
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QString>("call"); // empty: nothing written
        const int enter = Qt::Key_Return, esc = Qt::Key_Escape;
        QTest::newRow("Snooze 0:05") << "OKButton" << clickSnooze << "0:05" << QString("0:05") << "2 +0:5";
        QTest::newRow("13 hours") << "OKButton" << clickSnooze << "13:00" << QString("13:00") << "";
        QTest::newRow("with PM") << "OKButton" << clickSnooze << "1:05 PM" << QString("1:05 PM") << "";
        QTest::newRow("repair kept when invalid")
            << "OKButton" << clickSnooze << ":123" << QString("00:123") << "";
        QTest::newRow("OK clears the offsets")
            << "cmbtime" << clickOk << "0:20" << QString("0:20") << "2 =0:0";
        QTest::newRow("Enter in the box") << "cmbtime" << enter << "0:20" << QString("0:20") << "2 =0:0";
        QTest::newRow("keypad Enter in the box")
            << "cmbtime" << int(Qt::Key_Enter) << "0:20" << QString("0:20") << "2 =0:0";
        QTest::newRow("Enter in the memo") << "txtMemo" << enter << "0:20" << QString("0:20") << "2 =0:0";
        QTest::newRow("Enter on Snooze") << "cmdSnooze" << enter << "0:20" << QString("0:20") << "2 +0:20";
        QTest::newRow("Esc in the box") << "cmbtime" << esc << "0:20" << QString("0:20") << "";
        QTest::newRow("close request") << "OKButton" << closeRequest << "0:20" << QString("0:20") << "";
    }
    void answers()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, boxAfter);
        QFETCH(QString, call);
        notify::frmalarm& form = ringing(2);
        form.show();
        QSignalSpy finished(&form, &notify::frmalarm::finished);
        form.cmbtime->setEditText(typed);
        auto* target = form.findChild<QWidget*>(focus);
        target->setFocus();
        if (key == clickSnooze)
            form.cmdSnooze_Click();
        else if (key == clickOk)
            form.OKButton_Click();
        else if (key == closeRequest)
            QVERIFY(!form.close());
        else
            QTest::keyClick(focus == "cmbtime" ? form.cmbtime->lineEdit() : target, Qt::Key(key));
        QCOMPARE(form.cmbtime->currentText(), boxAfter);
        QCOMPARE(owner.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(finished.count(), call.isEmpty() ? 0 : 1);
        QCOMPARE(form.isVisible(), call.isEmpty());
        QCOMPARE(sounds.log.alive, call.isEmpty() ? 1 : 0); // the sound ends with the window only
        QCOMPARE(form.Timer1->isActive(), call.isEmpty());
        const bool refused = call.isEmpty() && key == clickSnooze;
        QCOMPARE(dialogs.shown.size(), std::size_t{refused ? 1u : 0u});
        if (refused) {
            QCOMPARE(dialogs.shown[0].text, std::string("Please enter a valid duration."));
            QCOMPARE(dialogs.shown[0].icon, platform::MessageIcon::Critical);
        }
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
        QTest::newRow("2.0 s at 1.49") << 2.0 << 1.49 << false;
        QTest::newRow("2.0 s at 1.5") << 2.0 << 1.5 << true;
        QTest::newRow("2.5 s at end, half to even") << 2.5 << 2.5 << true;
        QTest::newRow("3.5 s at 2.5, half to even") << 3.5 << 2.5 << false;
        QTest::newRow("3.5 s at end") << 3.5 << 3.5 << true;
        QTest::newRow("10.52 s at 10.5, half to even") << 10.52 << 10.5 << false;
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

    // The window reports through the host, which answers for the alarm the check says is showing.
    void hostFollowsTheCheck_data()
    {
        QTest::addColumn<int>("lateMinutes");
        QTest::addColumn<bool>("deleteFirst");
        QTest::addColumn<bool>("snooze");
        QTest::addColumn<QString>("call"); // empty: nothing written
        QTest::newRow("snooze in its own minute") << 0 << false << true << "1 +0:5";
        QTest::newRow("snooze 3 minutes late") << 3 << false << true << "1 +0:8";
        QTest::newRow("OK when late") << 3 << false << false << "1 =0:0";
        QTest::newRow("alarm deleted while ringing") << 0 << true << false << "";
    }
    void hostFollowsTheCheck()
    {
        QFETCH(int, lateMinutes);
        QFETCH(bool, deleteFirst);
        QFETCH(bool, snooze);
        QFETCH(QString, call);
        folder->write("Data.ini", "[Alarm]\r\nCount=2\r\n");
        store::AlarmTable table; // two alarms at 7:00 every day; the memo is no markup
        table.ACount = 2;
        table.AType.assign(3, "1234567");
        table.AMemo = {"", "<b>x</b> & <i>y</i>", "second"};
        table.ATime.assign(3, "7:00:00 AM");
        table.AState.assign(3, 1);
        table.ASnoozeH.assign(3, 0);
        table.ASnoozeM.assign(3, 0);
        table.AClock.assign(3, store::AlarmClockTime{true, 7, 0});
        owner.sounds = {{1, "/sounds/first.wav"}, {2, "/sounds/second.wav"}};
        fakes::FakeClock clock; // a Monday, 7:00
        notify::AlarmWindowHost host(owner, *files, dialogs, sounds);
        QSignalSpy closed(&host, &notify::AlarmWindowHost::windowClosed);
        scheduler::AlarmCheck check(clock, *files, table, host);
        host.setCheck(&check);
        check.Timer1_Timer();
        QPointer<notify::frmalarm> shown = host.current();
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->AlarmIndex, std::int16_t{1});
        QCOMPARE(shown->txtMemo->toPlainText(), QString("<b>x</b> & <i>y</i>"));
        QCOMPARE(shown->txttitle->text(), QString("7:00:00 AM"));
        QTRY_COMPARE(sounds.log.filesStarted, std::vector<std::string>{"/sounds/first.wav"});
        clock.advanceMinutes(lateMinutes);
        if (deleteFirst)
            check.alarmRemoved(1);
        shown->cmbtime->setEditText("0:05");
        if (snooze)
            shown->cmdSnooze_Click();
        else
            shown->OKButton_Click();
        QCOMPARE(owner.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(closed.count(), 1);
        QTRY_VERIFY(shown.isNull()); // a fresh window for the next alarm
        // The second alarm waited behind the first and rings as the window closes.
        if (!deleteFirst) {
            QVERIFY(host.current() != nullptr);
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
