#include "platform/Autostart.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"

#include "fakes/FakeDialogs.h"

#include <QTest>

namespace {

// The autostart setting as the desktop would read it; a change can be made to fail.
struct FakeAutostart : platform::Autostart
{
    bool isEnabled() const override { return on; }
    bool setEnabled(bool wanted) override { return !fails && ((on = wanted), true); }
    bool on = false;
    bool fails = false;
};

} // namespace

// "Start at login" in the icon's menu: its mark always shows the setting as it stands.
class TestStartAtLogin : public QObject
{
    Q_OBJECT
private slots:
    void markFollowsTheSetting()
    {
        for (const auto& [on, fails] : {std::pair{false, false}, {true, true}}) {
            FakeAutostart autostart;
            autostart.on = !on;
            fakes::FakeDialogs dialogs;
            mainwin::TrayIcon tray(mainwin::appIcon(), [] { return false; });
            QAction* item = tray.startAtLoginAction();
            QVERIFY(!item->isEnabled());
            tray.setStartAtLogin(&autostart, &dialogs);
            QCOMPARE(item->isChecked(), !on);
            // Changed in the desktop's own settings while the program runs: the menu reads it as it opens.
            autostart.on = on;
            emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
            QCOMPARE(item->isChecked(), on);

            autostart.fails = fails;
            item->trigger();
            QCOMPARE(autostart.on, fails ? on : !on);
            QCOMPARE(item->isChecked(), autostart.on);
            QCOMPARE(dialogs.shown.size(), std::size_t{fails ? 1u : 0u});
            if (fails)
                QCOMPARE(dialogs.shown.front().text, std::string("The change could not be saved."));
        }
    }
};

QTEST_MAIN(TestStartAtLogin)
#include "tst_startatlogin.moc"
