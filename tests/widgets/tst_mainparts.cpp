// The icon and the rules that move the main window between the screen, the task bar and the notification
// area, apart from the window itself.
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
    void restoreFromTheTray_data()
    {
        QTest::addColumn<bool>("withTray");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("restores");
        QTest::newRow("Restore from the task bar") << false << -1 << true;
        QTest::newRow("left click") << true << int(QSystemTrayIcon::Trigger) << true;
        QTest::newRow("double click") << true << int(QSystemTrayIcon::DoubleClick) << true;
        QTest::newRow("right click") << true << int(QSystemTrayIcon::Context) << false;
    }
    void restoreFromTheTray()
    {
        QFETCH(bool, withTray);
        QFETCH(int, reason);
        QFETCH(bool, restores);
        Program program(withTray);
        if (reason < 0)
            program.tray.restoreAction()->trigger();
        else
            program.tray.onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        QCOMPARE(program.shownNormally(), restores);
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
};

QTEST_MAIN(TestMainParts)
#include "tst_mainparts.moc"
