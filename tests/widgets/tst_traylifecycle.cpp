#include "ui/main/TrayLifecycle.h"

#include "fakes/FakeDialogs.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"

#include <QTest>

#include <memory>

namespace {

struct Program
{
    explicit Program(bool withTray)
        : present(std::make_shared<bool>(withTray)),
          tray(mainwin::appIcon(), [flag = present] { return *flag; }), lifecycle(window, tray, dialogs)
    {
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

class TestTrayLifecycle : public QObject
{
    Q_OBJECT
private slots:
    void restoreShowsTheWindowInNormalState_data();
    void restoreShowsTheWindowInNormalState();
    void minimisingHidesOnlyWithANotificationArea();
    void closingWithoutOneAsksBeforeEnding_data();
    void closingWithoutOneAsksBeforeEnding();
    void aNotificationAreaThatGoesAndComesBackKeepsTheWindowReachable();
};

void TestTrayLifecycle::restoreShowsTheWindowInNormalState_data()
{
    QTest::addColumn<bool>("withTray");
    QTest::newRow("from the notification area") << true;
    QTest::newRow("from the task bar") << false;
}

void TestTrayLifecycle::restoreShowsTheWindowInNormalState()
{
    QFETCH(bool, withTray);
    Program program(withTray);
    program.lifecycle.start();
    program.tray.restoreAction()->trigger();
    QVERIFY(program.shownNormally());
    // Restoring a shown window only brings it forward.
    program.tray.onActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(program.shownNormally());
}

void TestTrayLifecycle::minimisingHidesOnlyWithANotificationArea()
{
    Program program(true);
    program.lifecycle.start();
    program.lifecycle.restore();
    program.window.showMinimized();
    program.lifecycle.minimised();
    QTRY_VERIFY(program.window.isHidden());

    program.setTray(false);
    QVERIFY(program.onTaskBarOnly());
    program.lifecycle.restore();
    program.window.showMinimized();
    program.lifecycle.minimised();
    QTest::qWait(0);
    QVERIFY(program.onTaskBarOnly());
}

void TestTrayLifecycle::closingWithoutOneAsksBeforeEnding_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("yes ends") << true;
    QTest::newRow("no keeps it on the task bar") << false;
}

void TestTrayLifecycle::closingWithoutOneAsksBeforeEnding()
{
    QFETCH(bool, answerYes);
    Program program(false);
    program.lifecycle.start();
    program.lifecycle.restore();
    program.dialogs.answerYes = answerYes;
    QCOMPARE(program.lifecycle.closeRequested(), answerYes);
    QCOMPARE(program.dialogs.asked.size(), std::size_t{1});
    QCOMPARE(program.dialogs.asked[0].title, std::string("Wakery"));
    if (!answerYes)
        QVERIFY(program.onTaskBarOnly());
}

void TestTrayLifecycle::aNotificationAreaThatGoesAndComesBackKeepsTheWindowReachable()
{
    Program program(true);
    program.lifecycle.start();
    QVERIFY(program.window.isHidden());

    program.setTray(false);
    QVERIFY(program.onTaskBarOnly());

    program.setTray(true);
    QVERIFY(program.window.isHidden());

    // A window the user is looking at stays where it is.
    program.lifecycle.restore();
    program.setTray(false);
    program.setTray(true);
    QVERIFY(program.shownNormally());
}

QTEST_MAIN(TestTrayLifecycle)
#include "tst_traylifecycle.moc"
