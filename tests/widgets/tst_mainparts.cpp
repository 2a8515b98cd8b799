// SPDX-License-Identifier: GPL-3.0-or-later
// The icon's menu's "Start at login", and the rules that move the main window between the screen, the
// task bar and the notification area, apart from the window itself.
#include "platform/Autostart.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/TrayLifecycle.h"

#include "fakes/FakeDialogs.h"

#include <QTest>

namespace {

// The offscreen platform has no notification area of its own, so its coming and going is played.
struct Program
{
    explicit Program(bool withTray) : present(withTray) { lifecycle.start(); }
    void setTray(bool available) { present = available, tray.checkAvailability(); }
    bool onTaskBarOnly() const { return window.isVisible() && window.isMinimized(); }
    bool shownNormally() const { return window.isVisible() && !window.isMinimized(); }

    bool present;
    QWidget window;
    fakes::FakeDialogs dialogs;
    mainwin::TrayIcon tray{mainwin::appIcon(), [this] { return present; }};
    mainwin::TrayLifecycle lifecycle{window, tray, dialogs};
};

// The autostart setting as the desktop would read it; a change can be made to fail.
struct FakeAutostart : platform::Autostart
{
    bool isEnabled() const override { return on; }
    bool setEnabled(bool wanted) override { return !fails && ((on = wanted), true); }
    bool on = false;
    bool fails = false;
};

} // namespace

class TestMainParts : public QObject
{
    Q_OBJECT
private slots:
    // Restore (a reason of -1), a left or double click bring the window up; a right click is the menu's.
    void restoreFromTheTray()
    {
        for (const int reason : {-1, int(QSystemTrayIcon::Trigger), int(QSystemTrayIcon::DoubleClick),
                                 int(QSystemTrayIcon::Context)}) {
            Program program(true);
            reason < 0 ? program.tray.restoreAction()->trigger()
                       : program.tray.onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
            QCOMPARE(program.shownNormally(), reason != QSystemTrayIcon::Context);
        }
    }

    // A notification area that goes leaves the window on the task bar; back, it takes the window again,
    // but not one the user is looking at.
    void aNotificationAreaThatGoesAndComesBack()
    {
        Program program(true);
        program.setTray(false);
        QVERIFY(program.onTaskBarOnly());
        program.setTray(true);
        QVERIFY(program.window.isHidden());
        program.lifecycle.restore();
        program.setTray(false);
        program.setTray(true);
        QVERIFY(program.shownNormally());
    }

    // Without a notification area, closing asks before ending; No keeps the window on the task bar.
    void closingWithoutANotificationAreaAsks()
    {
        for (const bool answerYes : {true, false}) {
            Program program(false);
            QVERIFY(program.onTaskBarOnly()); // where start-up leaves it
            program.lifecycle.restore();
            program.dialogs.answerYes = answerYes;
            QCOMPARE(program.lifecycle.closeRequested(), answerYes);
            QCOMPARE(program.dialogs.asked, std::vector<std::string>{mainwin::TrayLifecycle::endQuestion});
            QCOMPARE(program.onTaskBarOnly(), !answerYes);
        }
    }

    // "Start at login" in the icon's menu: its mark always shows the setting as it stands.
    void startAtLoginMarkFollowsTheSetting()
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

QTEST_MAIN(TestMainParts)
#include "tst_mainparts.moc"
