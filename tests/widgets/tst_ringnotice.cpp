// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window alone may not reach the user: the ring's notification answers it as its own buttons do.
#include "FakeServices.h"
#include "ui/notify/AlarmWindowHost.h"
#include "ui/notify/frmalarm.h"

namespace {

struct FakeRingNotices : platform::RingNotices
{
    struct Notice : platform::RingNotice
    {
        explicit Notice(int& alive) : m_alive(alive) { ++m_alive; }
        ~Notice() override { --m_alive; }
        int& m_alive;
    };
    std::unique_ptr<platform::RingNotice> show(const std::string& summary, const std::string& body,
                                               platform::RingNoticeAnswers given) override
    {
        shown << QString::fromStdString(summary + " / " + body);
        answers = std::move(given);
        return std::make_unique<Notice>(alive);
    }
    QStringList shown;
    platform::RingNoticeAnswers answers;
    int alive = 0;
};

} // namespace

class RingNoticeTest : public QObject
{
    Q_OBJECT
private slots:
    void notificationAnswersTheWindow_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("duration"); // in the window's box
        QTest::addColumn<QStringList>("offsetsWritten");
        QTest::addColumn<bool>("ringsOn"); // the window and its notification
        QTest::newRow("Snooze") << "snooze"
                                << "00:10" << QStringList{"1 +0:10"} << false;
        QTest::newRow("Snooze with a duration the window refuses") << "snooze"
                                                                   << "9:99" << QStringList{} << true;
        QTest::newRow("OK") << "ok"
                            << "00:10" << QStringList{"1 =0:0"} << false;
        QTest::newRow("a click on the notification") << "front"
                                                     << "00:10" << QStringList{} << true;
    }
    void notificationAnswersTheWindow()
    {
        QFETCH(QString, answer);
        QFETCH(QString, duration);
        QFETCH(QStringList, offsetsWritten);
        QFETCH(bool, ringsOn);
        FakeServices s;
        FakeOwner owner;
        FakeRingNotices notices;
        notify::AlarmWindowHost host(owner, s.files, s.dialogs, s.sounds);
        host.setRingNotices(&notices);
        host.showAlarm(1, "Dentist <3 & co", "7:00:00 AM");
        QCOMPARE(notices.shown, QStringList{"Alarm! 7:00:00 AM / Dentist <3 & co"});
        host.current()->cmbtime->setEditText(duration);

        if (answer == "snooze")
            notices.answers.snooze();
        else if (answer == "ok")
            notices.answers.ok();
        else
            notices.answers.front("token");
        QCOMPARE(owner.calls, offsetsWritten);
        QCOMPARE(host.current() != nullptr, ringsOn);
        QCOMPARE(notices.alive, ringsOn ? 1 : 0);
        QCOMPARE(s.messages().size(), duration == "9:99" ? 1 : 0);
    }
};

QTEST_MAIN(RingNoticeTest)
#include "tst_ringnotice.moc"
