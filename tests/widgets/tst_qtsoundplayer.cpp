#include "platform/qt/QtSoundPlayer.h"

#include "fakes/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTcpServer>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

// Counts connections to a loopback port, closing each at once.
class LoopbackListener : public QThread
{
public:
    std::atomic<int> connections{0};
    std::atomic<bool> stop{false};
    std::atomic<quint16> port{0};
    QSemaphore ready;

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port = server.serverPort();
        ready.release();
        while (!stop) {
            if (server.waitForNewConnection(50)) {
                ++connections;
                delete server.nextPendingConnection();
            }
        }
    }
};

} // namespace

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
        // The listener runs on its own thread: a back end that opened the address would block the test's
        // thread inside setSource while it waits for an answer.
        LoopbackListener listener;
        listener.start();
        listener.ready.acquire();
        fakes::TempFolder folder;
        QDir::setCurrent(QString::fromStdString(folder.path()));
        const std::string value = "http://127.0.0.1:" + std::to_string(listener.port.load()) + "/x.wav";
        platform::QtSoundPlayer player;
        player.setFileAndPlay(value);
        QTRY_VERIFY_WITH_TIMEOUT(player.failed() || listener.connections > 0, 10000);
        QCOMPARE(listener.connections.load(), 0);
        QCOMPARE(player.length(), 0.0);
        listener.stop = true;
        listener.wait();
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
