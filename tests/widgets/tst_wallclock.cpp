// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel timers behind the check and the wake-up, read back from /proc/self/fdinfo.
#include "platform/linux/AlarmWakeTimer.h"
#include "platform/linux/TimerFdMinuteTimer.h"
#include "ui/main/AlarmWake.h"
#include "ui/main/CheckTimer.h"

#include "fakes/FakeClock.h"
#include "store/AlarmTable.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>

namespace {

// "clockid", "settime flags" or "it_value" (its seconds) of an open timerfd.
QString fdinfo(int fd, const QString& key)
{
    QFile file(QStringLiteral("/proc/self/fdinfo/%1").arg(fd));
    file.open(QIODevice::ReadOnly);
    return QRegularExpression("^" + key + ":\\s*\\(?(\\d*)", QRegularExpression::MultilineOption)
        .match(QString::fromLatin1(file.readAll()))
        .captured(1);
}

int reads = 0;
ssize_t firstReadCancelled(int fd, void* buffer, size_t size)
{
    if (reads++ == 0) { // what the kernel answers when the clock was set
        errno = ECANCELED;
        return -1;
    }
    return ::read(fd, buffer, size);
}

} // namespace

class TestWallClock : public QObject
{
    Q_OBJECT

private slots:
    // Absolute on the real-time clock and cancelled when the clock is set: a cancel fires it too.
    void minuteTimerFiresAtItsTimeAndAfterACancel()
    {
        platform::TimerFdCalls calls;
        calls.read = firstReadCancelled;
        auto timer = platform::TimerFdMinuteTimer::create(calls);
        timer->armNextMinute();
        QCOMPARE(fdinfo(timer->fd(), "clockid"), "0");
        QCOMPARE(fdinfo(timer->fd(), "settime flags"), "03");
        const int toNextMinute = fdinfo(timer->fd(), "it_value").toInt() + QTime::currentTime().second();
        QVERIFY2(toNextMinute == 59 || toNextMinute == 60, QByteArray::number(toNextMinute));
        int fired = 0;
        timer->fired = [&] {
            if (++fired == 1)
                timer->armAt({1, 0}); // long past: at once (a zero time would disarm it)
        };
        timer->armAt({1, 0});
        QTRY_COMPARE(fired, 2);
        QCOMPARE(reads, 2);
    }

    // Alarms two and three hours ahead: the wake timer (clock 8, which wakes a suspended machine) is armed
    // at the first, and moves when it is snoozed or switched off.
    void wakeTimerFollowsTheNextRing()
    {
        platform::AlarmWakeTimer wake;
        if (!wake.allowed())
            QSKIP("no CAP_WAKE_ALARM here (not root)");
        const QDateTime now = QDateTime::currentDateTime();
        const QTime time = now.time();
        fakes::FakeClock clock;
        clock.set(now.date().year(), now.date().month(), now.date().day(), time.hour(), time.minute(),
                  time.second());
        store::AlarmTable table;
        table.resize(2);
        table.ACount = 2;
        table.AType = {"", "1234567", "1234567"};
        table.AState = {0, 1, 1};
        table.AClock = {
            {}, {true, (time.hour() + 2) % 24, time.minute()}, {true, (time.hour() + 3) % 24, time.minute()}};
        CheckTimer timer(clock);
        AlarmWake follow(timer, table, clock, wake);
        const auto halfHoursLeft = [&] {
            return (fdinfo(wake.fd(), "it_value").toInt() + time.second() + 2) / 1800;
        };
        timer.start();
        QCOMPARE(fdinfo(wake.fd(), "clockid"), "8");
        QCOMPARE(halfHoursLeft(), 4);
        table.ASnoozeM[1] = 30;
        timer.runNow();
        QCOMPARE(halfHoursLeft(), 5);
        table.AState[1] = 0;
        timer.runNow();
        QCOMPARE(halfHoursLeft(), 6);
    }

    // Every check aims the minute timer at the next minute, whose start runs the check.
    void everyCheckAimsAtTheNextMinute()
    {
        struct Counted : platform::MinuteTimer
        {
            void armNextMinute() override { ++armed; }
            int armed = 0;
        };
        fakes::FakeClock clock;
        CheckTimer timer(clock);
        auto owned = std::make_unique<Counted>();
        Counted& minute = *owned;
        timer.setMinuteTimer(std::move(owned));
        QSignalSpy checks(&timer, &CheckTimer::timeout);
        timer.start();
        minute.fired();
        QCOMPARE(checks.count(), 2);
        QCOMPARE(minute.armed, 2);
    }
};

QTEST_MAIN(TestWallClock)
#include "tst_wallclock.moc"
