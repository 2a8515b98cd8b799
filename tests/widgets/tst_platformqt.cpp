// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalSocket.h"
#include "platform/qt/HelperSoundPlayerFactory.h"
#include "platform/qt/QtLocaleTime.h"
#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

class TestPlatformQt : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir base;

private slots:
    void init()
    {
        QDir(base.filePath("run")).removeRecursively();
        QVERIFY(QDir().mkdir(base.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", base.filePath("run").toUtf8());
    }

    // A copy that accepts but never answers keeps no start out.
    void hungCopyDoesNotStopAStart()
    {
        platform::SingleInstance start(base.filePath("program"), nullptr, std::chrono::milliseconds(100));
        bool inUse = false;
        const int copy = platform::listenLocal(start.serverName().toStdString(), inUse);
        QVERIFY(copy >= 0 && start.claim() && start.note().contains("did not answer"));
        QVERIFY(!platform::SingleInstance(base.filePath("program")).claim()); // it took the name over
    }

    // A sound helper that is broken is started once more, then given up on, so that the ring beeps.
    void brokenSoundHelper_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("says what was not asked")
            << QByteArray("echo ok 0 0 >&3; echo ok 0 0 >&3; exec sleep 9");
        QTest::newRow("a reply longer than a line") << QByteArray("head -c 600 /dev/zero | tr '\\0' x >&3");
        QTest::newRow("never answers") << QByteArray("exec sleep 9");
        QTest::newRow("does not start") << QByteArray();
    }
    void brokenSoundHelper()
    {
        QFETCH(QByteArray, script);
        QFile helper(base.filePath("helper"));
        QVERIFY(helper.open(QIODevice::WriteOnly) && helper.write("#!/bin/sh\n" + script) > 0);
        helper.setPermissions(script.isEmpty() ? QFile::ReadOwner : QFile::ReadOwner | QFile::ExeOwner);
        helper.close();
        std::ostringstream log;
        platform::HelperSoundPlayerFactory sounds(helper.fileName().toStdString(), log);
        const auto player = sounds.create();
        player->setFileAndPlay("a.wav", {});
        QTRY_VERIFY_WITH_TIMEOUT(player->failure().find("failed twice") != std::string::npos, 5000);
        QVERIFY(log.str().find("starting it again") != std::string::npos);
    }

    // Hand-written times load as meant or are refused (""); the long text written back reads again as the
    // same time, whatever the locale, and carries no zone.
    void localeTime()
    {
        struct Time
        {
            const char *locale, *stored, *shown;
        };
        for (const auto& [locale, stored, shown] :
             {Time{.locale = "en_US", .stored = "7:00 AM", .shown = "7:00:00 AM"},
              {.locale = "en_US", .stored = "19:30", .shown = "7:30:00 PM"},
              {.locale = "en_US", .stored = "13:00 PM", .shown = ""},
              {.locale = "en_US", .stored = "7:00:00\u202fPM", .shown = "7:00:00 PM"},
              {.locale = "de_DE", .stored = "7:30 pm", .shown = "19:30:00"},
              {.locale = "de_DE", .stored = "24:00", .shown = ""}}) {
            const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(locale))};
            const auto time = localeTime.parseTime(stored);
            QCOMPARE(time ? localeTime.longTimeText(*time) : std::string(), std::string(shown));
        }
        for (const char* name : {"en_US", "de_DE", "fr_CA", "fa_IR", "ko_KR", "ar_EG", "bg_BG", "C"}) {
            const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(name))};
            for (int hour = 0; hour < 24; ++hour) {
                const text::TimeOfDay time{hour, hour * 2 + 1, 0};
                const std::string text = localeTime.longTimeText(time);
                QVERIFY2(text.find("UTC") == std::string::npos && localeTime.parseTime(text) == time,
                         (std::string(name) + " " + text).c_str());
            }
        }
    }
};

QTEST_MAIN(TestPlatformQt)
#include "tst_platformqt.moc"
