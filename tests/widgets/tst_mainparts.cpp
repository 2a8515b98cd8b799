#include "ui/main/AlarmRows.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/TrayLifecycle.h"

#include "fakes/FakeDialogs.h"
#include "fakes/FakeLocaleTime.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A window with its tray icon and the rules that move it between the screen, the task bar and the
// notification area.
struct Program
{
    explicit Program(bool withTray)
        : present(std::make_shared<bool>(withTray)),
          tray(mainwin::appIcon(), [flag = present] { return *flag; }), lifecycle(window, tray, dialogs)
    {
        lifecycle.start();
    }
    // The offscreen platform has no notification area of its own, so its coming and going is played.
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

// The list's rows, the icon and the tray, each apart from the main window.
class TestMainParts : public QObject
{
    Q_OBJECT
private slots:
    void daysText_data();
    void daysText();
    void iconIsDrawnAtEverySizeWithTransparentCorners();
    void restoreFromTheTray_data();
    void restoreFromTheTray();
    void closingWithoutANotificationAreaAsksBeforeEnding_data();
    void closingWithoutANotificationAreaAsksBeforeEnding();
    void trayReportsOnlyChangesOfTheNotificationArea();
    void aNotificationAreaThatGoesAndComesBackKeepsTheWindowReachable();
};

void TestMainParts::daysText_data()
{
    QTest::addColumn<QString>("daySet");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* daySet, const char* shown) {
        QTest::newRow(name) << QString(daySet) << QString(shown);
    };
    row("every day", "1234567", "Sun,Mon,Tue,Wed,Thu,Fri,Sat");
    row("stored order kept", "71", "Sat,Sun");
    row("one day, no comma", "4", "Wed");
    row("empty set", "", "");
    row("hand-edited junk left out", "0x1 8,7", "Sun,Sat");
}

void TestMainParts::daysText()
{
    QFETCH(QString, daySet);
    QFETCH(QString, shown);
    const fakes::FakeLocaleTime locale;
    QCOMPARE(QString::fromStdString(mainwin::daysText(daySet.toStdString(), locale)), shown);
}

void TestMainParts::iconIsDrawnAtEverySizeWithTransparentCorners()
{
    const QIcon icon = mainwin::appIcon();
    for (const int size : {16, 32, 48, 256}) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QImage image = mainwin::drawAppIcon(size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(0, size - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size * 35 / 64)), 255);
    }
}

// A reason of -1 stands for the menu's Restore.
void TestMainParts::restoreFromTheTray_data()
{
    QTest::addColumn<bool>("withTray");
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("Restore") << true << -1 << true;
    QTest::newRow("Restore from the task bar") << false << -1 << true;
    QTest::newRow("left click") << true << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("double click") << true << int(QSystemTrayIcon::DoubleClick) << true;
    // The platform opens the menu for a right click; the window stays as it is.
    QTest::newRow("right click") << true << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("middle click") << true << int(QSystemTrayIcon::MiddleClick) << false;
    QTest::newRow("unknown") << true << int(QSystemTrayIcon::Unknown) << false;
}

void TestMainParts::restoreFromTheTray()
{
    QFETCH(bool, withTray);
    QFETCH(int, reason);
    QFETCH(bool, restores);
    Program program(withTray);
    QSignalSpy exit(&program.tray, &mainwin::TrayIcon::exitRequested);
    if (reason < 0)
        program.tray.restoreAction()->trigger();
    else
        program.tray.onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
    QCOMPARE(program.shownNormally(), restores);
    QCOMPARE(exit.count(), 0);
    // Restoring a shown window only brings it forward.
    program.tray.onActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(program.shownNormally());
}

void TestMainParts::closingWithoutANotificationAreaAsksBeforeEnding_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("yes ends") << true;
    QTest::newRow("no keeps it on the task bar") << false;
}

void TestMainParts::closingWithoutANotificationAreaAsksBeforeEnding()
{
    QFETCH(bool, answerYes);
    Program program(false);
    QVERIFY(program.onTaskBarOnly()); // where start-up leaves it
    program.lifecycle.restore();
    program.dialogs.answerYes = answerYes;
    QCOMPARE(program.lifecycle.closeRequested(), answerYes);
    QCOMPARE(program.dialogs.asked.size(), std::size_t{1});
    if (!answerYes)
        QVERIFY(program.onTaskBarOnly());
}

void TestMainParts::trayReportsOnlyChangesOfTheNotificationArea()
{
    Program program(false);
    QSignalSpy changed(&program.tray, &mainwin::TrayIcon::availabilityChanged);
    for (const bool now : {false, true, true, false}) {
        program.setTray(now);
        QCOMPARE(program.tray.isAvailable(), now);
    }
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toBool(), true);
    QCOMPARE(changed.at(1).at(0).toBool(), false);
}

void TestMainParts::aNotificationAreaThatGoesAndComesBackKeepsTheWindowReachable()
{
    Program program(true);
    QVERIFY(program.window.isHidden());
    program.setTray(false);
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

QTEST_MAIN(TestMainParts)
#include "tst_mainparts.moc"
