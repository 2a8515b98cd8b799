#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The single-instance guard as no other user can defeat it: its socket in a folder only this user can
// enter, and a running copy that does not answer does not stop a start.
class TestInstanceGuard : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> base;
    QByteArray savedRuntime;
    QByteArray savedTemp;

    QString fallbackFolder() const { return base->filePath("tmp/wakery-" + QString::number(::geteuid())); }

private slots:
    void init()
    {
        base = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(base->path()).mkpath("tmp"));
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        savedTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", base->filePath("tmp").toUtf8());
        qunsetenv("XDG_RUNTIME_DIR");
    }
    void cleanup()
    {
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("TMPDIR", savedTemp);
        base.reset();
    }

    void socketLivesInAPrivateFolder_data()
    {
        QTest::addColumn<QString>("runtime");  // $XDG_RUNTIME_DIR: "" unset, else its mode
        QTest::addColumn<QString>("fallback"); // wakery-<uid> in the temporary folder before the start
        QTest::addColumn<QString>("used");     // "runtime", "fallback" or "" for no guard
        QTest::newRow("runtime folder") << "700"
                                        << "absent"
                                        << "runtime";
        QTest::newRow("runtime folder open to others") << "755"
                                                       << "absent"
                                                       << "fallback";
        QTest::newRow("no runtime folder") << ""
                                           << "absent"
                                           << "fallback";
        QTest::newRow("fallback open to others") << ""
                                                 << "777"
                                                 << "";
        QTest::newRow("fallback a link") << ""
                                         << "link"
                                         << "";
        QTest::newRow("fallback of another user") << ""
                                                  << "other"
                                                  << "";
    }
    void socketLivesInAPrivateFolder()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(QString, used);
        const QString runtimeFolder = base->filePath("run");
        if (!runtime.isEmpty()) {
            QVERIFY(QDir().mkdir(runtimeFolder));
            QVERIFY(::chmod(QFile::encodeName(runtimeFolder).constData(), runtime.toUInt(nullptr, 8)) == 0);
            qputenv("XDG_RUNTIME_DIR", runtimeFolder.toUtf8());
        }
        const QByteArray own = QFile::encodeName(fallbackFolder());
        if (fallback == "link") {
            QVERIFY(QDir().mkdir(runtimeFolder));
            QVERIFY(QFile::link(runtimeFolder, fallbackFolder()));
        } else if (fallback != "absent") {
            QVERIFY(QDir().mkdir(fallbackFolder()));
            QVERIFY(::chmod(own.constData(), fallback == "777" ? 0777 : 0700) == 0);
            if (fallback == "other" && ::chown(own.constData(), 65534, 65534) != 0)
                QSKIP("this user cannot give a folder away");
        }
        platform::SingleInstance first(base->filePath("program"));
        QVERIFY(first.claim()); // a start is never refused for want of a guard
        if (used.isEmpty()) {
            QCOMPARE(first.serverName(), QString());
            QVERIFY(first.note().contains(fallbackFolder()));
            return;
        }
        const QString folder = used == "runtime" ? runtimeFolder : fallbackFolder();
        QCOMPARE(QFileInfo(first.serverName()).absolutePath(), folder);
        struct stat info = {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_uid, ::geteuid());
        QCOMPARE(info.st_mode & 07777, mode_t{0700});
        QVERIFY(first.note().isEmpty());
        platform::SingleInstance second(base->filePath("program"));
        QVERIFY(!second.claim());
    }

    // What a later start finds on the socket: a copy that answers keeps it out; a copy that accepts but
    // never answers, or a socket file left by a crash, does not, and the new start takes the socket over.
    void silentCopyDoesNotStopAStart_data()
    {
        QTest::addColumn<QString>("found");
        QTest::addColumn<bool>("starts");
        QTest::newRow("running copy") << "copy" << false;
        QTest::newRow("hung copy") << "hung" << true;
        QTest::newRow("socket file of a crashed copy") << "file" << true;
    }
    void silentCopyDoesNotStopAStart()
    {
        QFETCH(QString, found);
        QFETCH(bool, starts);
        const QString program = base->filePath("program");
        platform::SingleInstance copy(program);
        QLocalServer hung;
        if (found == "copy") {
            QVERIFY(copy.claim());
        } else if (found == "hung") {
            QVERIFY(hung.listen(copy.serverName()));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(copy.serverName()).path()));
            QFile stale(copy.serverName());
            QVERIFY(stale.open(QIODevice::WriteOnly));
        }
        QSignalSpy shown(&copy, &platform::SingleInstance::showRequested);
        platform::SingleInstance start(program, nullptr, std::chrono::milliseconds(100));
        QCOMPARE(start.claim(), starts);
        QCOMPARE(start.note().contains("did not answer"), found == "hung");
        QCOMPARE(shown.count(), found == "copy" ? 1 : 0);
        if (!starts)
            return;
        QSignalSpy startShown(&start, &platform::SingleInstance::showRequested);
        platform::SingleInstance later(program);
        QVERIFY(!later.claim());
        QCOMPARE(startShown.count(), 1);
    }
};

QTEST_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
