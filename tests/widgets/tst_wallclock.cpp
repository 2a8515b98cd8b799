#include "platform/linux/AlarmWakeTimer.h"
#include "platform/linux/TimerFdMinuteTimer.h"
#include "ui/main/AlarmWake.h"
#include "ui/main/CheckTimer.h"
#include "ui/main/MissedNotice.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLocaleTime.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

#include <cerrno>

namespace {

// A line of the kernel's description of an open file ("clockid", "it_value").
QString fdinfo(int fd, const char* key)
{
    QFile file(QStringLiteral("/proc/self/fdinfo/%1").arg(fd));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(QByteArray(key) + ':'))
            return QString::fromLatin1(line.mid(static_cast<qsizetype>(qstrlen(key)) + 1)).trimmed();
    return {};
}

long long remainingSeconds(int fd)
{
    return fdinfo(fd, "it_value").mid(1).section(',', 0, 0).toLongLong();
}

timespec realtimeIn(long milliseconds)
{
    timespec at{};
    clock_gettime(CLOCK_REALTIME, &at);
    at.tv_nsec += milliseconds * 1'000'000;
    at.tv_sec += at.tv_nsec / 1'000'000'000;
    at.tv_nsec %= 1'000'000'000;
    return at;
}

int cancels = 0;
ssize_t cancelledRead(int fd, void* buffer, size_t size)
{
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
        calls.read = cancelledRead;
        cancels = 1;
        auto timer = platform::TimerFdMinuteTimer::create(calls);
        QVERIFY(timer);
        timer->armNextMinute();
        QCOMPARE(fdinfo(timer->fd(), "clockid"), QStringLiteral("0"));
        QCOMPARE(fdinfo(timer->fd(), "settime flags"), QStringLiteral("03")); // absolute, cancel on set
        QVERIFY(remainingSeconds(timer->fd()) < 60);

        timespec target = realtimeIn(40);
        QList<qint64> lateMs;
        timer->fired = [&] {
            const timespec now = realtimeIn(0);
            lateMs << (now.tv_sec - target.tv_sec) * 1000 + (now.tv_nsec - target.tv_nsec) / 1'000'000;
            target = realtimeIn(30);
            timer->armAt(target);
        };
        timer->armAt(target);
        QTRY_COMPARE_WITH_TIMEOUT(lateMs.size(), 2, 3000); // the first answer was ECANCELED
        for (const qint64 late : lateMs)
            QVERIFY2(late >= 0 && late < 1000, QByteArray::number(late));
    }

    void wakeTimerFollowsTheNextRing()
    {
        platform::AlarmWakeTimer wake;
        if (!wake.allowed())
            QSKIP("no CAP_WAKE_ALARM here (not root)");
        const QDateTime now = QDateTime::currentDateTime();
        fakes::FakeClock clock;
        clock.set(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                  now.time().minute(), now.time().second());
        store::AlarmTable table;
        table.ACount = 2;
        table.AType = {"", "1234567", "1234567"};
        table.AMemo = table.ATime = {"", "", ""};
        table.AState = {0, 1, 1};
        table.ASnoozeH = table.ASnoozeM = {0, 0, 0};
        const int minute = now.time().minute();
        table.AClock = {
            {}, {true, (now.time().hour() + 2) % 24, minute}, {true, (now.time().hour() + 3) % 24, minute}};
        CheckTimer timer(clock);
        AlarmWake follow(timer, table, clock, wake);
        timer.start();
        QCOMPARE(fdinfo(wake.fd(), "clockid"), QStringLiteral("8"));
        const long long twoHours = 2 * 3600 - now.time().second();
        QVERIFY(std::abs(remainingSeconds(wake.fd()) - twoHours) <= 2);
        table.ASnoozeM[1] = 30; // a snooze moves it
        timer.runNow();
        QVERIFY(std::abs(remainingSeconds(wake.fd()) - twoHours - 1800) <= 2);
        table.AState[1] = 0; // switched off: the next one
        timer.runNow();
        QVERIFY(std::abs(remainingSeconds(wake.fd()) - twoHours - 3600) <= 2);
    }

    void refusedWakeTimerIsLeftAlone()
    {
        static int settimes = 0;
        platform::TimerFdCalls calls;
        calls.create = [](int, int) {
            errno = EPERM;
            return -1;
        };
        calls.settime = [](int, int, const itimerspec*, itimerspec*) { return ++settimes, 0; };
        platform::AlarmWakeTimer wake(calls);
        QVERIFY(!wake.allowed());
        wake.wakeAt(platform::LocalDateTime{2030, 1, 1, 7, 0});
        QCOMPARE(settimes, 0);
    }

    // Without a notification service (this test's session bus does not exist) the list comes in a box,
    // after the check has finished.
    void missedNoticeWithoutServiceIsABox()
    {
        fakes::FakeDialogs dialogs;
        fakes::FakeLocaleTime locale;
        MissedNotice notice(dialogs, locale);
        notice.showMissed({{1, 0, "Dentist", false}});
        QVERIFY(dialogs.shown.empty());
        QTRY_COMPARE(dialogs.shown.size(), size_t{1});
        QCOMPARE(dialogs.shown[0].title, std::string("Wakery"));
        QVERIFY(dialogs.shown[0].icon == platform::MessageIcon::Information);
        QCOMPARE(QString::fromStdString(dialogs.shown[0].text).section('\n', 1),
                 QStringLiteral("Thu 1970-01-01  12:00:00 AM  Dentist"));
    }
};

QTEST_MAIN(TestWallClock)
#include "tst_wallclock.moc"
