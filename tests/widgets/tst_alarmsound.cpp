#include "ui/notify/AlarmSound.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "platform/qt/QtSoundPlayer.h"
#include "scheduler/AlarmCheck.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/notify/AlarmWindowHost.h"
#include "ui/notify/frmalarm.h"

#include <QTest>

#include <map>
#include <sstream>

namespace {

class SoundOwner : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t, std::int16_t, std::int16_t, bool) override {}
    bool AlarmSoundPresent(std::int16_t Index) const override { return sounds.count(Index) != 0; }
    std::string GetASound(std::int16_t Index) const override
    {
        return AlarmSoundPresent(Index) ? sounds.at(Index) : std::string();
    }
    std::map<std::int16_t, std::string> sounds;
};

std::vector<std::string> strings(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& item : list)
        result.push_back(item.toStdString());
    return result;
}

} // namespace

class TestAlarmSound : public QObject
{
    Q_OBJECT

private slots:
    // Files are named "own.wav" and "default.wav"; failing lists "file=reason" the player gives.
    void neverSilent_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QString>("unusable");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QStringList>("log");
        const QString toDefault =
            "wakery: cannot play \"own.wav\": no such file; playing default.wav instead";
        QTest::newRow("own file plays")
            << "own.wav" << QStringList{} << "" << QStringList{"own.wav"} << QStringList{};
        QTest::newRow("own file fails: default.wav")
            << "own.wav" << QStringList{"own.wav=no such file"} << "" << QStringList{"own.wav", "default.wav"}
            << QStringList{toDefault};
        QTest::newRow("both fail: beep")
            << "own.wav" << QStringList{"own.wav=no such file", "default.wav=bad data"} << ""
            << QStringList{"own.wav", "default.wav"}
            << QStringList{toDefault, "wakery: cannot play \"default.wav\": bad data; beeping instead"};
        QTest::newRow("no own sound, default.wav fails: beep")
            << "default.wav" << QStringList{"default.wav=no such file"} << "" << QStringList{"default.wav"}
            << QStringList{"wakery: cannot play \"default.wav\": no such file; beeping instead"};
        QTest::newRow("no sound module: beep at once")
            << "own.wav" << QStringList{} << "no module" << QStringList{}
            << QStringList{"wakery: cannot play \"own.wav\": no module; beeping instead"};
    }
    void neverSilent()
    {
        QFETCH(QString, own);
        QFETCH(QStringList, failing);
        QFETCH(QString, unusable);
        QFETCH(QStringList, started);
        QFETCH(QStringList, log);
        fakes::FakeSoundPlayerFactory sounds;
        for (const QString& entry : failing)
            sounds.log.failing[entry.section('=', 0, 0).toStdString()] = entry.section('=', 1).toStdString();
        sounds.log.unusable = unusable.toStdString();
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
        QCOMPARE(sounds.log.filesStarted, strings(started));
        QCOMPARE(QString::fromStdString(errors.str()), log.isEmpty() ? QString() : log.join('\n') + '\n');
        // At once, then about once a second while it rings: every 25th tick of the 40 ms timer.
        const bool beeping = !log.isEmpty() && log.back().endsWith("beeping instead");
        const std::vector<int> gaps = {25, 25};
        QCOMPARE(beepTicks.size(), std::size_t{beeping ? 3u : 0u});
        if (beeping) {
            QVERIFY(beepTicks[0] <= 2);
            QCOMPARE((std::vector<int>{beepTicks[1] - beepTicks[0], beepTicks[2] - beepTicks[1]}), gaps);
        }
        // A new activation starts over what it settled on.
        sound.restart();
        if (!beeping)
            QCOMPARE(sounds.log.filesStarted.back(), strings(started).back());
        QCOMPARE(sounds.log.filesStarted.size(), std::size_t(started.size() + (beeping ? 0 : 1)));
        QCOMPARE(sounds.log.plays, 0); // 3 s long, never at its end
    }

    void deletedAlarmKeepsItsSound()
    {
        fakes::TempFolder folder;
        folder.write("Data.ini", "[Alarm]\r\nCount=1\r\n");
        platform::StdFiles files(folder.path());
        store::AlarmTable table; // one alarm at 7:00 every day
        table.ACount = 1;
        table.AType.assign(2, "1234567");
        table.AMemo.assign(2, "");
        table.ATime.assign(2, "7:00:00 AM");
        table.AState.assign(2, 1);
        table.ASnoozeH.assign(2, 0);
        table.ASnoozeM.assign(2, 0);
        table.AClock.assign(2, store::AlarmClockTime{true, 7, 0});
        SoundOwner owner;
        owner.sounds[1] = "/sounds/own.wav";
        fakes::FakeClock clock; // a Monday, 7:00
        fakes::FakeDialogs dialogs;
        fakes::FakeSoundPlayerFactory sounds;
        notify::AlarmWindowHost host(owner, files, dialogs, sounds);
        scheduler::AlarmCheck check(clock, files, table, host);
        host.setCheck(&check);
        check.Timer1_Timer();
        QTRY_COMPARE(sounds.log.filesStarted.size(), std::size_t{1});
        check.alarmRemoved(1);
        owner.sounds.clear();
        host.current()->Form_Activate();
        QCOMPARE(sounds.log.filesStarted, (std::vector<std::string>{"/sounds/own.wav", "/sounds/own.wav"}));
        host.current()->OKButton_Click();
    }

    // The real player knows at once what it cannot open, and the back end's refusal comes as a reason too.
    void playerGivesReasons_data()
    {
        QTest::addColumn<QString>("file"); // in a fresh folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "none.wav"
                                 << "no such file";
        QTest::newRow("a folder") << "."
                                  << "no such file";
        QTest::newRow("network address") << "http://127.0.0.1:9/x.wav"
                                         << "not a local file";
        QTest::newRow("not a sound") << "text.wav"
                                     << "";
    }
    void playerGivesReasons()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        fakes::TempFolder folder;
        folder.write("text.wav", "plain words, no sound at all\n");
        const std::string path =
            file.startsWith("http") ? file.toStdString() : folder.file(file.toStdString());
        platform::QtSoundPlayer player;
        player.setFileAndPlay(path);
        if (reason.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(!player.failure().empty(), 10000);
        else
            QCOMPARE(QString::fromStdString(player.failure()), reason);
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
