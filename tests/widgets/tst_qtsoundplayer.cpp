#include "platform/qt/QtSoundPlayer.h"

#include "fakes/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTest>

// The real player on Qt Multimedia. Without a sound device it plays nothing, but opening files, their
// length and the refusal of network addresses are the same.
class TestQtSoundPlayer : public QObject
{
    Q_OBJECT

private:
    QString savedFolder;

private slots:
    void init() { savedFolder = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(savedFolder); }

    void relativePathResolvesAgainstCurrentFolder()
    {
        fakes::TempFolder folder;
        QVERIFY(QFile::copy(WAKERY_CHIME_WAV, QString::fromStdString(folder.file("chime.wav"))));
        QDir::setCurrent(QString::fromStdString(folder.path()));
        QCOMPARE(platform::absoluteSoundPath("chime.wav"), folder.file("chime.wav"));
        platform::QtSoundPlayer player;
        player.setFileAndPlay("chime.wav");
        QTRY_VERIFY_WITH_TIMEOUT(player.length() > 1.0, 10000);
        QVERIFY(!player.failed());
    }

    void urlLikeValueIsNeverFetched()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        fakes::TempFolder folder;
        QDir::setCurrent(QString::fromStdString(folder.path()));
        const std::string value = "http://127.0.0.1:" + std::to_string(listener.serverPort()) + "/x.wav";
        platform::QtSoundPlayer player;
        player.setFileAndPlay(value);
        // The back end gives up on the file it cannot find; a network open would have connected first.
        QTRY_VERIFY_WITH_TIMEOUT(player.failed(), 10000);
        QVERIFY(!listener.waitForNewConnection(300));
        QCOMPARE(player.length(), 0.0);
    }

    void missingFileFailsQuietly()
    {
        platform::QtSoundPlayer player;
        player.setFileAndPlay("/nowhere/at/all.wav");
        QTRY_VERIFY_WITH_TIMEOUT(player.failed(), 10000);
        QCOMPARE(player.position(), 0.0);
        QCOMPARE(player.length(), 0.0);
    }
};

QTEST_MAIN(TestQtSoundPlayer)
#include "tst_qtsoundplayer.moc"
