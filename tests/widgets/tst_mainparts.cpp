// The icon, its menu's "Start at login", and the rules that move the main window between the screen, the
// task bar and the notification area, apart from the window itself.
#include "platform/Autostart.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/TrayLifecycle.h"

#include "fakes/FakeDialogs.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The offscreen platform has no notification area of its own, so its coming and going is played.
struct Program
{
    explicit Program(bool withTray)
        : present(std::make_shared<bool>(withTray)),
          tray(mainwin::appIcon(), [flag = present] { return *flag; }), lifecycle(window, tray, dialogs)
    {
        lifecycle.start();
    }
    void setTray(bool available)
    {
        *present = available;
        tray.checkAvailability();
    }
    bool onTaskBarOnly() const { return window.isVisible() && window.isMinimized(); }
    bool shownNormally() const { return window.isVisible() && !window.isMinimized(); }

    std::shared_ptr<bool> present;
    QWidget window;
    fakes::FakeDialogs dialogs;
    mainwin::TrayIcon tray;
    mainwin::TrayLifecycle lifecycle;
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
    void iconIsDrawnAtEverySizeWithTransparentCorners()
    {
        const QIcon icon = mainwin::appIcon();
        for (const int size : {16, 22, 48, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
            const QImage image = mainwin::drawAppIcon(size).toImage();
            QCOMPARE(qAlpha(image.pixel(0, size - 1)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 2, size * 35 / 64)), 255);
        }
    }

    // Restore (a reason of -1), a left or double click bring the window up; a right click is the menu's.
    void restoreFromTheTray()
    {
        for (const auto& [withTray, reason, restores] : {std::tuple{false, -1, true},
                                                         {true, int(QSystemTrayIcon::Trigger), true},
                                                         {true, int(QSystemTrayIcon::DoubleClick), true},
                                                         {true, int(QSystemTrayIcon::Context), false}}) {
            Program program(withTray);
            if (reason < 0)
                program.tray.restoreAction()->trigger();
            else
                program.tray.onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
            QVERIFY2(program.shownNormally() == restores, QByteArray::number(reason));
        }
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
            QCOMPARE(program.dialogs.asked.size(), std::size_t{1});
            QCOMPARE(program.dialogs.asked[0].text, std::string(mainwin::TrayLifecycle::endQuestion));
            QCOMPARE(program.onTaskBarOnly(), !answerYes);
        }
    }

    void aNotificationAreaThatGoesAndComesBackKeepsTheWindowReachable()
    {
        Program program(true);
        QSignalSpy changed(&program.tray, &mainwin::TrayIcon::availabilityChanged);
        program.setTray(false);
        program.setTray(false); // only changes are reported
        QCOMPARE(changed.count(), 1);
        QVERIFY(program.onTaskBarOnly());
        // Minimising now must keep the task bar button, or nothing would bring the window back.
        program.lifecycle.restore();
        program.window.showMinimized();
        program.lifecycle.minimised();
        QTest::qWait(0);
        QVERIFY(program.onTaskBarOnly());
        program.setTray(true);
        QVERIFY(program.window.isHidden());
        // A window the user is looking at stays where it is.
        program.lifecycle.restore();
        program.setTray(false);
        program.setTray(true);
        QVERIFY(program.shownNormally());
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
