#include "platform/linux/TimerFdMinuteTimer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <cerrno>

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
};

QTEST_MAIN(TestWallClock)
#include "tst_wallclock.moc"
