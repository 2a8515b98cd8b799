#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void aSecondStartFromTheSameFolderAsksTheFirstToShowItself();
    void otherFoldersRunSideBySide();
    void aSocketLeftByACrashedCopyDoesNotBlockTheNextStart();
};

void TestSingleInstance::aSecondStartFromTheSameFolderAsksTheFirstToShowItself()
{
    QTemporaryDir folder;
    platform::SingleInstance first(folder.path());
    QVERIFY(first.claim());
    QSignalSpy shown(&first, &platform::SingleInstance::showRequested);

    // Reached through a path with a trailing separator and a detour: still the same program.
    platform::SingleInstance second(folder.path() + "/../" + QDir(folder.path()).dirName() + "/");
    QCOMPARE(second.serverName(), first.serverName());
    QVERIFY(!second.claim());
    QTRY_COMPARE(shown.count(), 1);
}

void TestSingleInstance::otherFoldersRunSideBySide()
{
    QTemporaryDir one;
    QTemporaryDir two;
    platform::SingleInstance first(one.path());
    platform::SingleInstance second(two.path());
    QVERIFY(first.claim());
    QVERIFY(second.claim());
}

void TestSingleInstance::aSocketLeftByACrashedCopyDoesNotBlockTheNextStart()
{
    QTemporaryDir folder;
    platform::SingleInstance next(folder.path());
    const QString socketPath = QDir::temp().filePath(next.serverName());
    {
        QFile stale(socketPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
    }
    QVERIFY(next.claim());

    platform::SingleInstance later(folder.path());
    QVERIFY(!later.claim());
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
