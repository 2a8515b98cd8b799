// SPDX-License-Identifier: GPL-3.0-or-later
// The ringing window as the user answers it: what reaches the alarm's offsets, when the sound starts,
// repeats and ends, and its fall-back to default.wav and the beep.
#include "ui/notify/frmalarm.h"

#include "FakeServices.h"
#include "ui/notify/AlarmSound.h"
#include "ui/notify/AlarmWindowHost.h"

#include <QPointer>
#include <QTimer>

#include <memory>
#include <sstream>

namespace {

struct Answer
{
    const char* name;
    const char* typed = "0:20"; // into the duration box first
    const char* focus;          // where the keyboard is
    int key = 0;                // 0: a click on it, -1: the window manager's close
    const char* call;           // to alarm 2's offsets: "+H:M" added, "=H:M" set, "": none, still ringing
};
const Answer answers[] = {
    {.name = "Snooze clicked", .typed = "0:05", .focus = "cmdSnooze", .call = "2 +0:5"},
    {.name = "Snooze with 13 hours", .typed = "13:00", .focus = "cmdSnooze", .call = ""},
    {.name = "OK clicked", .focus = "OKButton", .call = "2 =0:0"},
    {.name = "Enter in the box is OK",
     .typed = "0:20",
     .focus = "cmbtime",
     .key = Qt::Key_Enter,
     .call = "2 =0:0"},
    {.name = "Return on Snooze",
     .typed = "0:20",
     .focus = "cmdSnooze",
     .key = Qt::Key_Return,
     .call = "2 +0:20"},
    {.name = "Esc", .focus = "cmbtime", .key = Qt::Key_Escape, .call = ""},
    {.name = "close box", .focus = "OKButton", .key = -1, .call = ""},
};

// The player gives up on "own.wav", on "default.wav" too, or on everything (no output).
struct Failure
{
    const char* name;
    bool defaultFails, allFail;
    QStringList started;
    QStringList log; // what stderr gets
};
const QString ownFails = "wakery: cannot play \"own.wav\": bad; playing default.wav instead";
const Failure failures[] = {
    {.name = "own file",
     .defaultFails = false,
     .allFail = false,
     .started = {"own.wav", "default.wav"},
     .log = {ownFails}},
    {.name = "both files",
     .defaultFails = true,
     .allFail = false,
     .started = {"own.wav", "default.wav"},
     .log = {ownFails, "wakery: cannot play \"default.wav\": bad; beeping instead"}},
    {.name = "no output",
     .defaultFails = false,
     .allFail = true,
     .started = {},
     .log = {"wakery: cannot play \"own.wav\": bad; beeping instead"}},
};

// The sound starts over once played to its end, rounded half to even.
struct Repeat
{
    const char* name;
    double length, position;
    bool restarts;
};
const Repeat repeats[] = {
    {.name = "1.49 of 2 s", .length = 2.0, .position = 1.49, .restarts = false},
    {.name = "1.5 of 2 s", .length = 2.0, .position = 1.5, .restarts = true},
    {.name = "2.5 of 2.5 s", .length = 2.5, .position = 2.5, .restarts = true},
    {.name = "2.5 of 3.5 s", .length = 3.5, .position = 2.5, .restarts = false},
    {.name = "no length known", .length = 0.0, .position = 0.0, .restarts = true},
};

} // namespace

class TestFrmalarm : public QObject
{
    Q_OBJECT
    FakeServices s;
    FakeOwner owner;
    std::unique_ptr<notify::frmalarm> ringing(std::int16_t index)
    {
        auto window = std::make_unique<notify::frmalarm>(owner, s.files, s.dialogs, s.sounds);
        window->AlarmIndex = index;
        window->Form_Activate();
        return window;
    }

private slots:
    void init()
    {
        s.sounds.log = {};
        s.dialogs.shown.clear();
        owner.calls.clear();
    }

    void answers_data() { addRows(::answers); }
    void answers()
    {
        QFETCH(int, row);
        const Answer& c = ::answers[row];
        auto form = ringing(2);
        form->show();
        QSignalSpy finished(form.get(), &notify::frmalarm::finished);
        form->cmbtime->setEditText(c.typed);
        auto* target = form->findChild<QWidget*>(c.focus);
        target->setFocus();
        if (c.key == 0)
            QTest::mouseClick(target, Qt::LeftButton);
        else if (c.key < 0)
            QVERIFY(!form->close());
        else
            QTest::keyClick(target == form->cmbtime ? form->cmbtime->lineEdit() : target, Qt::Key(c.key));
        QCOMPARE(form->cmbtime->currentText(), QString(c.typed));
        QCOMPARE(form->cmbtime->count(), 0); // Enter keeps no typed duration in the list
        QCOMPARE(owner.calls, *c.call ? QStringList{c.call} : QStringList());
        QCOMPARE(finished.count(), *c.call ? 1 : 0);
        QCOMPARE(form->isVisible(), !*c.call);
        QCOMPARE(s.sounds.log.alive + form->Timer1->isActive(), *c.call ? 0 : 2);
        const bool refused = !*c.call && c.key == 0;
        QCOMPARE(s.messages(), refused ? QStringList{"Please enter a valid duration."} : QStringList());
    }

    void neverSilent_data() { addRows(failures); }
    void neverSilent()
    {
        QFETCH(int, row);
        const Failure& c = failures[row];
        fakes::SoundLog& log = s.sounds.log;
        log.failing = {{"own.wav", "bad"}, {"default.wav", c.defaultFails ? "bad" : ""}};
        log.unusable = c.allFail ? "bad" : "";
        log.length = 3.0;
        std::ostringstream errors;
        notify::RingingSound sound(s.sounds, errors);
        std::vector<int> beepTicks;
        for (int tick = 0; tick <= 60; ++tick) {
            const int before = log.beeps;
            tick == 0 ? sound.start("own.wav", "default.wav") : sound.tick();
            if (log.beeps > before)
                beepTicks.push_back(tick);
        }
        sound.restart(); // what it settled on
        QStringList played;
        for (const std::string& file : log.filesStarted)
            played << QString::fromStdString(file);
        const bool beeping = c.defaultFails || c.allFail;
        QCOMPARE(played, beeping ? c.started : QStringList(c.started) << c.started.back());
        QCOMPARE(QString::fromStdString(errors.str()), c.log.join('\n') + '\n');
        // Within two ticks, then every 25th tick of the 40 ms timer: about once a second.
        const int first = beepTicks.empty() ? 0 : beepTicks.front();
        const std::vector<int> expected =
            beeping ? std::vector<int>{first, first + 25, first + 50} : std::vector<int>{};
        QCOMPARE(beepTicks, expected);
        QVERIFY(first <= 2);
        QCOMPARE(log.alive, beeping ? 0 : 1);
    }

    // With no sound output at all, the alarm's own file is tried again every five seconds, quietly, and
    // heard once a device is back.
    void soundComesBackWithADevice()
    {
        fakes::SoundLog& log = s.sounds.log;
        log.unusable = platform::noOutputDevice;
        log.length = 3.0;
        std::ostringstream errors;
        notify::RingingSound sound(s.sounds, errors);
        sound.start("own.wav", "default.wav");
        for (int tick = 0; tick < 130; ++tick)
            sound.tick();
        QCOMPARE(log.alive, 0);
        log.unusable.clear();
        for (int tick = 0; tick < 121; ++tick) // to the second try, 250 ticks after the first failure
            sound.tick();
        QCOMPARE(log.alive, 1);
        const int beeps = log.beeps;
        for (int tick = 0; tick < 50; ++tick)
            sound.tick();
        QCOMPARE(log.beeps, beeps);
        QCOMPARE(log.filesStarted, std::vector<std::string>{"own.wav"});
        QCOMPARE(QString::fromStdString(errors.str()),
                 "wakery: cannot play \"own.wav\": no sound output device; beeping instead\n"
                 "wakery: a sound output is back; playing \"own.wav\" again\n");
    }

    void repeatCheck_data() { addRows(repeats); }
    void repeatCheck()
    {
        QFETCH(int, row);
        const Repeat& c = repeats[row];
        auto window = ringing(1);
        s.sounds.log = {};
        s.sounds.log.length = c.length;
        s.sounds.log.position = c.position;
        window->Timer1_Timer();
        QCOMPARE(s.sounds.log.positionsSet, c.restarts ? std::vector{0.0} : std::vector<double>{});
    }

    void activationFromAnotherProgramWindowCounts()
    {
        s.folder.write("Data.ini", "[Alarm]\r\nDSnooze=0:10\r\n");
        notify::AlarmWindowHost host(owner, s.files, s.dialogs, s.sounds);
        QWidget mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        host.showAlarm(1, "memo", "7:00:00 AM");
        notify::frmalarm* shown = host.current();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(s.sounds.log.filesStarted.size(), std::size_t{1}); // the show, not its activation as well
        QCOMPARE(shown->accessibleName(), QString("Alarm! 7:00:00 AM"));
        QCOMPARE(shown->pos() + shown->rect().center(), shown->screen()->availableGeometry().center());
        QVERIFY(shown->txtMemo->font().bold());
        QTest::keyClicks(shown->txtMemo, "x");
        QCOMPARE(shown->txtMemo->toPlainText(), QString("memo"));
        emit qApp->focusWindowChanged(nullptr); // another program's window: does not count
        shown->cmbtime->setEditText("2:00");
        mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        shown->Timer1_Timer(); // takes the activation back
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(s.sounds.log.filesStarted.size(), std::size_t{2});
        QCOMPARE(shown->cmbtime->currentText(), QString("0:10"));
        // A window still open when the next alarm rings is stale: it goes, with its sound.
        const QPointer<notify::frmalarm> stale = shown;
        host.showAlarm(2, "next", "8:00:00 AM");
        QTRY_VERIFY(stale.isNull());
        QCOMPARE(s.sounds.log.alive, 1);
        QCOMPARE(host.current()->txtMemo->toPlainText(), QString("next"));
        QTest::mouseClick(host.current()->OKButton, Qt::LeftButton);
        QCOMPARE(owner.calls, QStringList{"2 =0:0"});
    }
};

QTEST_MAIN(TestFrmalarm)
#include "tst_frmalarm.moc"
