#include "ui/notify/AlarmSound.h"

#include "fakes/FakeDialogs.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/notify/frmalarm.h"

#include <QTest>

#include <sstream>

namespace {

class OwnerWithSound : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t, std::int16_t, std::int16_t, bool) override {}
    bool AlarmSoundPresent(std::int16_t) const override { return !sound.empty(); }
    std::string GetASound(std::int16_t) const override { return sound; }
    std::string sound;
};

} // namespace

class TestAlarmSound : public QObject
{
    Q_OBJECT

private slots:
    // The player gives up on "own.wav", "default.wav" or on everything; the log is what stderr gets.
    void neverSilent_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("failing"); // "own", "both", "all": no module or no output
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QStringList>("log");
        const QString ownFails = "wakery: cannot play \"own.wav\": bad; playing default.wav instead";
        const QString beep = "wakery: cannot play \"%1\": bad; beeping instead";
        QTest::newRow("own file fails")
            << "own.wav"
            << "own" << QStringList{"own.wav", "default.wav"} << QStringList{ownFails};
        QTest::newRow("both fail: beep") << "own.wav"
                                         << "both" << QStringList{"own.wav", "default.wav"}
                                         << QStringList{ownFails, beep.arg("default.wav")};
        QTest::newRow("nothing plays: beep at once")
            << "own.wav"
            << "all" << QStringList{} << QStringList{beep.arg("own.wav")};
    }
    void neverSilent()
    {
        QFETCH(QString, own);
        QFETCH(QString, failing);
        QFETCH(QStringList, started);
        QFETCH(QStringList, log);
        fakes::FakeSoundPlayerFactory sounds;
        sounds.log.failing = {{"own.wav", failing.isEmpty() ? "" : "bad"},
                              {"default.wav", failing == "both" ? "bad" : ""}};
        sounds.log.unusable = failing == "all" ? "bad" : "";
        sounds.log.length = 3.0;
        std::ostringstream errors;
        notify::RingingSound sound(sounds, errors);
        sound.start(own.toStdString(), "default.wav");
        std::vector<int> beepTicks(static_cast<std::size_t>(sounds.log.beeps), 0);
        for (int tick = 1; tick <= 60; ++tick) {
            const int before = sounds.log.beeps;
            sound.tick();
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
        // At once, then every 25th tick of the 40 ms timer: about once a second.
        const std::vector<int> expected = {0, 25, 50};
        const int first = beepTicks.empty() ? 0 : beepTicks.front();
        QVERIFY(first <= 2);
        for (int& tick : beepTicks)
            tick -= first;
        QCOMPARE(beepTicks, beeping ? expected : std::vector<int>{});
        QCOMPARE(sounds.log.alive, beeping ? 0 : 1); // the back end is let go
    }

    void deletedAlarmKeepsItsSound()
    {
        fakes::TempFolder folder;
        platform::StdFiles files(folder.path());
        OwnerWithSound owner;
        owner.sound = "/sounds/own.wav";
        fakes::FakeDialogs dialogs;
        fakes::FakeSoundPlayerFactory sounds;
        notify::frmalarm window(owner, files, dialogs, sounds);
        window.Form_Activate();
        owner.sound.clear(); // the table has no such alarm any more
        window.Form_Activate();
        QCOMPARE(sounds.log.filesStarted, (std::vector<std::string>{"/sounds/own.wav", "/sounds/own.wav"}));
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
