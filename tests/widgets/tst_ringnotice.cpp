// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window alone may not reach the user: the ring's notification answers it as its own buttons
// do, and a desktop without a notification area gets a window that says what it is for.
#include "FakeServices.h"
#include "platform/Autostart.h"
#include "ui/main/Form1.h"
#include "ui/main/TrayIcon.h"
#include "ui/notify/AlarmWindowHost.h"
#include "ui/notify/frmalarm.h"

#include <QCheckBox>
#include <QLabel>

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

struct OnOffAutostart : platform::Autostart
{
    explicit OnOffAutostart(bool enabled) : on(enabled) {}
    bool isEnabled() const override { return on; }
    bool setEnabled(bool value) override { return on = value, true; }
    bool on;
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

    // Without a notification area the window grows by a line that says Wakery rings on while it is
    // minimised, and a Start at login box that is the icon menu's item.
    void windowWithoutTraySaysWhatItIsFor()
    {
        bool tray = true;
        FakeServices s;
        Form1 form(
            s.services, nullptr, [&tray] { return tray; }, Form1::Controls::AtOnce);
        OnOffAutostart autostart(true); // switched on before this start
        form.trayIcon().setStartAtLogin(&autostart, &s.dialogs);
        form.Form_Load();
        auto* box = form.findChild<QCheckBox*>("chkStartAtLogin");
        const int classicHeight = form.height();
        QVERIFY(!box->isVisibleTo(&form) && box->isChecked());

        tray = false;
        form.trayIcon().checkAvailability();
        QVERIFY(form.findChild<QLabel*>("lblPresence")->isVisibleTo(&form) && box->isVisibleTo(&form));
        QVERIFY(form.height() > classicHeight);
        box->click();
        QVERIFY(!autostart.on && !form.trayIcon().startAtLoginAction()->isChecked());

        // Left on screen by a compositor without a minimised state, the parked window still goes.
        form.setWindowState(Qt::WindowNoState);
        tray = true;
        form.trayIcon().checkAvailability();
        QVERIFY(form.isHidden());
        autostart.on = true; // switched on in the desktop's own settings
        form.mPopRestore_Click();
        QVERIFY(box->isChecked());
    }
};

QTEST_MAIN(RingNoticeTest)
#include "tst_ringnotice.moc"
