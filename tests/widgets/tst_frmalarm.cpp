// SPDX-License-Identifier: GPL-3.0-or-later
// The notification window as the user answers it: what reaches the alarm's offsets, when the sound
// starts, repeats and ends, and the fall-back from the alarm's own file to default.wav and the beep.
#include "ui/notify/frmalarm.h"

#include "FakeServices.h"
#include "ui/notify/AlarmSound.h"
#include "ui/notify/AlarmWindowHost.h"

#include <QTimer>

#include <memory>
#include <sstream>

// Actions in place of a key press.
constexpr int clickSnooze = 0, clickOk = -1, closeRequest = -2;

class TestFrmalarm : public QObject
{
    Q_OBJECT
    std::unique_ptr<FakeServices> s;
    FakeOwner owner;
    std::unique_ptr<notify::frmalarm> window;
    // A window as the check hands it over, without waiting for the window system.
    notify::frmalarm& ringing(std::int16_t index)
    {
        window = std::make_unique<notify::frmalarm>(owner, s->files, s->dialogs, s->sounds);
        window->AlarmIndex = index;
        window->Form_Activate();
        return *window;
    }

    // OK, Snooze with a valid duration and Enter end the ring; Snooze with an invalid duration, Esc and
    // the window manager's close leave it ringing. The call is empty when nothing is written.
    void answer(const QString& focus, int key, const QString& typed, const QString& call)
    {
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
        QCOMPARE(form.cmbtime->currentText(), typed);
        QCOMPARE(owner.calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(finished.count() + form.isVisible(), 1);
        QCOMPARE(s->sounds.log.alive + form.Timer1->isActive(), call.isEmpty() ? 2 : 0);
        const bool refused = call.isEmpty() && key == clickSnooze;
        QCOMPARE(s->messages(), refused ? QStringList{"Please enter a valid duration."} : QStringList());
    }

    void neverSilent(const QString& failing, QStringList started, const QStringList& log)
    {
        fakes::FakeSoundPlayerFactory& sounds = s->sounds;
        sounds.log.failing = {{"own.wav", "bad"}, {"default.wav", failing == "both" ? "bad" : ""}};
        sounds.log.unusable = failing == "all" ? "bad" : "";
        sounds.log.length = 3.0;
        std::ostringstream errors;
        notify::RingingSound sound(sounds, errors);
        std::vector<int> beepTicks;
        for (int tick = 0; tick <= 60; ++tick) {
            const int before = sounds.log.beeps;
            tick == 0 ? sound.start("own.wav", "default.wav") : sound.tick();
            if (sounds.log.beeps > before)
                beepTicks.push_back(tick);
        }
        sound.restart(); // a new activation starts over what it settled on
        QStringList played;
        for (const std::string& file : sounds.log.filesStarted)
            played << QString::fromStdString(file);
        const bool beeping = !log.isEmpty() && log.back().endsWith("beeping instead");
        QCOMPARE(played, beeping ? started : started << started.back());
        QCOMPARE(QString::fromStdString(errors.str()), log.isEmpty() ? QString() : log.join('\n') + '\n');
        // At once (or within two ticks, once the fall-back also failed), then every 25th tick of the 40 ms
        // timer: about once a second.
        const int first = beepTicks.empty() ? 0 : beepTicks.front();
        const std::vector<int> expected =
            beeping ? std::vector<int>{first, first + 25, first + 50} : std::vector<int>{};
        QCOMPARE(beepTicks, expected);
        QVERIFY(first <= 2);
        QCOMPARE(sounds.log.alive, beeping ? 0 : 1); // the back end is let go
    }

private slots:
    void init()
    {
        window.reset();
        s = std::make_unique<FakeServices>();
        owner = FakeOwner();
    }

    void answers()
    {
        for (const auto& [focus, key, typed, call] : {std::tuple{"OKButton", clickSnooze, "0:05", "2 +0:5"},
                                                      {"OKButton", clickSnooze, "13:00", ""},
                                                      {"cmbtime", clickOk, "0:20", "2 =0:0"},
                                                      {"cmbtime", int(Qt::Key_Enter), "0:20", "2 =0:0"},
                                                      {"cmdSnooze", int(Qt::Key_Return), "0:20", "2 +0:20"},
                                                      {"cmbtime", int(Qt::Key_Escape), "0:20", ""},
                                                      {"OKButton", closeRequest, "0:20", ""}}) {
            init();
            answer(focus, key, typed, call);
        }
    }
    // The player gives up on "own.wav", "default.wav" or on everything (no module or no output); the log
    // is what stderr gets.
    void neverSilent()
    {
        const QString ownFails = "wakery: cannot play \"own.wav\": bad; playing default.wav instead";
        const QString beep = "wakery: cannot play \"%1\": bad; beeping instead";
        for (const auto& [failing, started, log] :
             {std::tuple{QString("own"), QStringList{"own.wav", "default.wav"}, QStringList{ownFails}},
              {"both", {"own.wav", "default.wav"}, {ownFails, beep.arg("default.wav")}},
              {"all", {}, {beep.arg("own.wav")}}}) {
            init();
            neverSilent(failing, started, log);
        }
    }
    // Once a second the sound starts over when it has (rounded half to even) played to its end.
    void repeatCheck()
    {
        for (const auto& [length, position, restart] : {std::tuple{2.0, 1.49, false},
                                                        {2.0, 1.5, true},
                                                        {2.5, 2.5, true},
                                                        {3.5, 2.5, false},
                                                        {0.0, 0.0, true}}) {
            ringing(1);
            s->sounds.log = {};
            s->sounds.log.length = length;
            s->sounds.log.position = position;
            window->Timer1_Timer();
            QCOMPARE(s->sounds.log.positionsSet, restart ? std::vector{0.0} : std::vector<double>{});
        }
    }

    void activationFromAnotherProgramWindowCounts()
    {
        s->folder.write("Data.ini", "[Alarm]\r\nDSnooze=0:10\r\n");
        notify::AlarmWindowHost host(owner, s->files, s->dialogs, s->sounds);
        QWidget mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        host.showAlarm(1, "memo", "7:00:00 AM");
        notify::frmalarm* shown = host.current();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(s->sounds.log.filesStarted.size(), std::size_t{1}); // the show, not its activation as well
        shown->cmbtime->setEditText("2:00");
        mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        shown->Timer1_Timer(); // takes the activation back
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(s->sounds.log.filesStarted.size(), std::size_t{2});
        QCOMPARE(shown->cmbtime->currentText(), QString("0:10"));
        shown->OKButton_Click();
    }
};

QTEST_MAIN(TestFrmalarm)
#include "tst_frmalarm.moc"
