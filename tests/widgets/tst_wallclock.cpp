// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <stdexcept>

namespace {

// A value of the kernel's description of an open file: "clockid", "settime flags", "it_value".
QString fdinfo(int fd, const QString& key)
{
    QFile file(QStringLiteral("/proc/self/fdinfo/%1").arg(fd));
    file.open(QIODevice::ReadOnly);
    return QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption)
        .match(QString::fromLatin1(file.readAll()))
        .captured(1);
}

long long remainingMs(int fd)
{
    const QStringList value = fdinfo(fd, QStringLiteral("it_value")).remove('(').remove(')').split(u',');
    return value.value(0).toLongLong() * 1000 + value.value(1).trimmed().toLongLong() / 1'000'000;
}

timespec realtimeIn(long milliseconds)
{
    timespec at{};
    clock_gettime(CLOCK_REALTIME, &at);
    at.tv_nsec += milliseconds * 1'000'000;
    return {at.tv_sec + at.tv_nsec / 1'000'000'000, at.tv_nsec % 1'000'000'000};
}

int cancels = 0;
int reads = 0;
ssize_t cancellingRead(int fd, void* buffer, size_t size)
{
    ++reads;
    if (cancels-- > 0) { // what the kernel answers when the clock was set
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
    void minuteTimerFiresAtItsTimeAndAfterACancel()
    {
        platform::TimerFdCalls calls;
        calls.read = cancellingRead;
        cancels = 1;
        auto timer = platform::TimerFdMinuteTimer::create(calls);
        timer->armNextMinute();
        QCOMPARE(fdinfo(timer->fd(), "clockid"), "0");
        QCOMPARE(fdinfo(timer->fd(), "settime flags"), "03"); // absolute, cancelled when the clock is set
        const timespec armed = realtimeIn(0);
        QVERIFY(std::abs(remainingMs(timer->fd()) - 60'000 + armed.tv_sec % 60 * 1000 +
                         armed.tv_nsec / 1'000'000) < 200);

        timespec target = realtimeIn(40);
        QList<qint64> lateMs;
        QList<int> readsBefore;
        timer->fired = [&] {
            readsBefore << reads;
            const timespec now = realtimeIn(0);
            lateMs << (now.tv_sec - target.tv_sec) * 1000 + (now.tv_nsec - target.tv_nsec) / 1'000'000;
            timer->armAt(target = realtimeIn(30));
        };
        timer->armAt(target);
        QTRY_COMPARE_WITH_TIMEOUT(lateMs.size(), 2, 3000);
        QCOMPARE(readsBefore, (QList<int>{1, 2})); // the first fire is the read that answered ECANCELED
        for (const qint64 late : lateMs)
            QVERIFY2(late >= 0 && late < 1000, QByteArray::number(late));
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
        timer.start();
        QCOMPARE(fdinfo(wake.fd(), "clockid"), "8");
        const long long twoHours = 2 * 3600 - time.second();
        QVERIFY(std::abs(remainingMs(wake.fd()) / 1000 - twoHours) <= 2);
        table.ASnoozeM[1] = 30;
        timer.runNow();
        QVERIFY(std::abs(remainingMs(wake.fd()) / 1000 - twoHours - 1800) <= 2);
        table.AState[1] = 0;
        timer.runNow();
        QVERIFY(std::abs(remainingMs(wake.fd()) / 1000 - twoHours - 3600) <= 2);
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

    // Without CAP_WAKE_ALARM nothing is armed, quietly.
    void refusedWakeTimerIsLeftAlone()
    {
        platform::TimerFdCalls calls;
        calls.create = [](int, int) { return errno = EPERM, -1; };
        calls.settime = [](int, int, const itimerspec*, itimerspec*) -> int {
            throw std::logic_error("armed");
        };
        platform::AlarmWakeTimer wake(calls);
        QVERIFY(!wake.allowed());
        wake.wakeAt(platform::LocalDateTime{2030, 1, 1, 7, 0});
    }
};

QTEST_MAIN(TestWallClock)
#include "tst_wallclock.moc"
