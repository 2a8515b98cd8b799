#include "ui/main/CheckTimer.h"

#include "platform/qt/QtMinuteTimer.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeMinuteTimer.h"
#include "fakes/TempFolder.h"

#include <QSignalSpy>
#include <QTest>

class TestCheckTimer : public QObject
{
    Q_OBJECT

private slots:
    void armsForTheNextMinuteStart_data()
    {
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("millisecond");
        QTest::addColumn<int>("expected");
        QTest::newRow("minute start") << 0 << 0 << 60000;
        QTest::newRow("a second and a half before") << 58 << 500 << 1500;
        QTest::newRow("last millisecond") << 59 << 999 << 1;
    }
    void armsForTheNextMinuteStart()
    {
        QFETCH(int, second);
        QFETCH(int, millisecond);
        QFETCH(int, expected);
        fakes::FakeClock clock;
        clock.set(2026, 12, 31, 23, 59, second);
        clock.advanceMilliseconds(millisecond);
        platform::QtMinuteTimer timer(clock);
        timer.armNextMinute();
        QVERIFY(timer.remainingTime() <= expected);
        QVERIFY(timer.remainingTime() >= expected - 50);
    }

    void runsOnlyWhileEnabled()
    {
        fakes::FakeClock clock;
        CheckTimer timer(clock);
        QSignalSpy ticks(&timer, &CheckTimer::timeout);
        timer.runNow();
        QCOMPARE(ticks.count(), 0); // before the end of start-up nothing runs
        timer.start();
        QCOMPARE(ticks.count(), 1); // enabling runs at once: start-up inside a due minute rings
        timer.runNow();
        QCOMPARE(ticks.count(), 2);
    }

    void requestInsideTheCheckRunsAfterIt()
    {
        fakes::FakeClock clock;
        CheckTimer timer(clock);
        int depth = 0;
        int maxDepth = 0;
        int runs = 0;
        connect(&timer, &CheckTimer::timeout, this, [&] {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            if (++runs == 2)
                timer.runNow(); // e.g. a window closed by the check itself
            --depth;
        });
        timer.start();
        timer.runNow();
        QCOMPARE(runs, 3);
        QCOMPARE(maxDepth, 1);
    }

    // The minute timer runs the check, and every run aims it afresh at the next minute start.
    void minuteTimerRunsTheCheckAndIsReaimed()
    {
        fakes::FakeClock clock;
        CheckTimer timer(clock);
        auto minute = std::make_unique<fakes::FakeMinuteTimer>();
        auto* fake = minute.get();
        timer.setMinuteTimer(std::move(minute));
        QSignalSpy ticks(&timer, &CheckTimer::timeout);
        timer.start();
        fake->fire();
        timer.runNow();
        QCOMPARE(ticks.count(), 3);
        QCOMPARE(fake->arms, 3);
    }

    void storeAppearingRunsTheCheck()
    {
        fakes::FakeClock clock;
        fakes::TempFolder folder;
        CheckTimer timer(clock);
        timer.watchStore(QString::fromStdString(folder.file("Data.ini")));
        QSignalSpy ticks(&timer, &CheckTimer::timeout);
        timer.start();
        folder.write("other.txt", "x");
        folder.write("Data.ini", "[Alarm]\r\nCount=0\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(ticks.count(), 2, 5000);
        // Rewriting the existing store changes nothing the check reads.
        folder.write("Data.ini", "[Alarm]\r\nCount=1\r\n");
        folder.write("other.txt", "y");
        QTest::qWait(200);
        QCOMPARE(ticks.count(), 2);
    }
};

QTEST_MAIN(TestCheckTimer)
#include "tst_checktimer.moc"
