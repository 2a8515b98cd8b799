// The Qt adapters where they can really break: locale time formats both ways, a sound path that must
// never be fetched over the network, and a cancelled open-file dialog.
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtLocaleTime.h"
#include "platform/qt/QtSoundPlayer.h"

#include <QApplication>
#include <QSemaphore>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace {

// Counts connections to a loopback port on its own thread: a back end that opened the address would block
// the test's thread while it waits for an answer.
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
        while (!stop)
            if (server.waitForNewConnection(50))
                ++connections, delete server.nextPendingConnection();
    }
};

} // namespace

class TestPlatformQt : public QObject
{
    Q_OBJECT
private slots:
    void localeTime_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown"); // the long text it loads as; empty: refused
        const char* const rows[][3] = {{"en_US", "7:00 AM", "7:00:00 AM"},
                                       {"en_US", "19:30", "7:30:00 PM"},
                                       {"en_US", "12:00 AM", "12:00:00 AM"},
                                       {"en_US", "13:00 PM", ""},
                                       {"en_US", "7:00:00\u202fPM", "7:00:00 PM"},
                                       {"de_DE", "7:30 pm", "19:30:00"},
                                       {"de_DE", "24:00", ""}};
        for (const auto& row : rows)
            QTest::addRow("%s %s", row[0], row[1]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void localeTime()
    {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const platform::QtLocaleTime localeTime{QLocale(locale)};
        const auto time = localeTime.parseTime(stored.toStdString());
        QCOMPARE(time.has_value(), !shown.isEmpty());
        if (time)
            QCOMPARE(QString::fromStdString(localeTime.longTimeText(*time)), shown);
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
        const platform::QtLocaleTime german{QLocale(QStringLiteral("de_DE"))};
        QCOMPARE(german.abbreviatedDayName(1) + german.abbreviatedDayName(7) + german.abbreviatedDayName(8),
                 std::string("So.Sa."));
    }

    void soundPathIsNeverFetched()
    {
        LoopbackListener listener;
        listener.start();
        listener.ready.acquire();
        platform::QtSoundPlayer player;
        player.setFileAndPlay("http://127.0.0.1:" + std::to_string(listener.port.load()) + "/x.wav");
        QTRY_VERIFY_WITH_TIMEOUT(player.failed() || listener.connections > 0, 10000);
        QCOMPARE(listener.connections.load(), 0);
        listener.stop = true;
        listener.wait();
        platform::QtSoundPlayer missing;
        missing.setFileAndPlay("/nowhere/at/all.wav");
        QTRY_VERIFY_WITH_TIMEOUT(missing.failed(), 10000);
        QCOMPARE(missing.length(), 0.0);
    }

    void cancelledFileDialogGivesNothing()
    {
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr); // the dialog runs its own loop
            QMetaObject::invokeMethod(QApplication::activeModalWidget(), "reject");
        });
        QVERIFY(
            !platform::QtFileDialog().openFile("Select File", "All Sound Files", "*", "/tmp").has_value());
    }
};

QTEST_MAIN(TestPlatformQt)
#include "tst_platformqt.moc"
