#include "platform/LocalSocket.h"
#include "platform/qt/QtLocaleTime.h"
#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The guard as no other user can defeat it: its socket in a folder only this user can enter, and a
// running copy that does not answer does not stop a start.
class TestPlatformQt : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir base;
    QString own() const { return base.filePath("tmp/wakery-" + QString::number(::geteuid())); }

private slots:
    void initTestCase() { qputenv("TMPDIR", base.filePath("tmp").toUtf8()); }
    void init()
    {
        QDir(base.filePath("tmp")).removeRecursively();
        QDir(base.filePath("run")).removeRecursively();
        QVERIFY(QDir().mkpath(base.filePath("tmp")));
        QVERIFY(QDir().mkdir(base.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void socketLivesInAPrivateFolder_data()
    {
        QTest::addColumn<int>("runtimeMode"); // of $XDG_RUNTIME_DIR; 0: unset
        QTest::addColumn<bool>("foreign");    // wakery-<uid> made before the start by another user
        QTest::addColumn<QString>("used");    // "run", "tmp" or "" for no guard
        QTest::newRow("runtime folder") << 0700 << false << "run";
        QTest::newRow("runtime folder open to others") << 0755 << false << "tmp";
        QTest::newRow("own folder of another user") << 0 << true << "";
    }
    void socketLivesInAPrivateFolder()
    {
        QFETCH(int, runtimeMode);
        QFETCH(bool, foreign);
        QFETCH(QString, used);
        qunsetenv("XDG_RUNTIME_DIR");
        if (runtimeMode != 0)
            qputenv("XDG_RUNTIME_DIR", base.filePath("run").toUtf8());
        ::chmod(QFile::encodeName(base.filePath("run")).constData(), mode_t(runtimeMode));
        if (foreign &&
            (!QDir().mkdir(own()) || ::chown(QFile::encodeName(own()).constData(), 65534, 65534) != 0))
            QSKIP("this user cannot make the folder of another");
        platform::SingleInstance first(base.filePath("program"));
        QVERIFY(first.claim()); // a start is never refused for want of a guard
        const QString folder = used == "run" ? base.filePath("run") : used == "tmp" ? own() : "";
        QCOMPARE(QFileInfo(first.serverName()).path(), folder);
        if (used.isEmpty())
            return;
        struct stat info = {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_uid, ::geteuid());
        QCOMPARE(info.st_mode & 07777, mode_t{0700});
        QVERIFY(!platform::SingleInstance(base.filePath("program")).claim());
    }

    // A copy that accepts the connection but never answers does not keep a start out, nor later ones.
    void hungCopyDoesNotStopAStart()
    {
        qputenv("XDG_RUNTIME_DIR", base.filePath("run").toUtf8());
        platform::SingleInstance start(base.filePath("program"), nullptr, std::chrono::milliseconds(100));
        bool inUse = false;
        const int copy = platform::listenLocal(start.serverName().toStdString(), inUse);
        QVERIFY(copy >= 0 && start.claim() && start.note().contains("did not answer"));
        QVERIFY(!platform::SingleInstance(base.filePath("program")).claim()); // it took the name over
    }

    // Locale time formats both ways: hand-written times in Data.ini, and the long text written back.
    // Hand-written times load as meant or are refused ("" here).
    void localeTime()
    {
        for (const auto& [locale, stored, shown] : {std::tuple{"en_US", "7:00 AM", "7:00:00 AM"},
                                                    {"en_US", "19:30", "7:30:00 PM"},
                                                    {"en_US", "13:00 PM", ""},
                                                    {"en_US", "7:00:00\u202fPM", "7:00:00 PM"},
                                                    {"de_DE", "7:30 pm", "19:30:00"},
                                                    {"de_DE", "24:00", ""}}) {
            const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(locale))};
            const auto time = localeTime.parseTime(stored);
            QCOMPARE(time ? localeTime.longTimeText(*time) : std::string(), std::string(shown));
        }
    }

    // Deleting an alarm writes the long text back for every alarm it moves: it must read again as the same
    // time, whatever the locale writes, and carry no zone.
    void everyLongTextReadsBack()
    {
        for (const char* name : {"en_US", "de_DE", "fr_CA", "fa_IR", "ko_KR", "ar_EG", "bg_BG", "C"}) {
            const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(name))};
            for (int hour = 0; hour < 24; ++hour) {
                const platform::TimeOfDay time{hour, hour * 2 + 1, 0};
                const std::string text = localeTime.longTimeText(time);
                QVERIFY2(text.find("UTC") == std::string::npos && localeTime.parseTime(text) == time,
                         (std::string(name) + " " + text).c_str());
            }
        }
    }
};

QTEST_MAIN(TestPlatformQt)
#include "tst_platformqt.moc"
