#include "ui/main/AlarmRows.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"

#include "fakes/FakeLocaleTime.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// The list's rows, the icon and the tray icon, each apart from the main window.
class TestMainParts : public QObject
{
    Q_OBJECT
private slots:
    void daysText_data();
    void daysText();
    void iconIsDrawnAtEverySizeWithTransparentCorners();
    void trayOffersRestoreAndExit();
    void trayEvents_data();
    void trayEvents();
    void trayReportsANotificationAreaComingAndGoing();
};

void TestMainParts::daysText_data()
{
    QTest::addColumn<QString>("daySet");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* daySet, const char* shown) {
        QTest::newRow(name) << QString(daySet) << QString(shown);
    };
    row("every day", "1234567", "Sun,Mon,Tue,Wed,Thu,Fri,Sat");
    row("Sunday and Saturday", "17", "Sun,Sat");
    row("stored order kept", "71", "Sat,Sun");
    row("one day, no comma", "4", "Wed");
    row("empty set", "", "");
    row("hand-edited junk left out", "0x1 8,7", "Sun,Sat");
    row("only junk", "089", "");
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

void TestMainParts::trayOffersRestoreAndExit()
{
    mainwin::TrayIcon tray(mainwin::appIcon(), [] { return false; });
    QStringList texts;
    for (const QAction* action : tray.menu()->actions())
        texts << action->text();
    QCOMPARE(texts, QStringList({"&Restore", "&Exit"}));

    QSignalSpy restore(&tray, &mainwin::TrayIcon::restoreRequested);
    QSignalSpy exit(&tray, &mainwin::TrayIcon::exitRequested);
    tray.restoreAction()->trigger();
    QCOMPARE(restore.count(), 1);
    QCOMPARE(exit.count(), 0);
    tray.exitAction()->trigger();
    QCOMPARE(exit.count(), 1);
    QCOMPARE(restore.count(), 1);
}

void TestMainParts::trayEvents_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<int>("restores");
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << 1;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << 1;
    // The platform opens the menu for a right click; the window stays as it is.
    QTest::newRow("right click") << QSystemTrayIcon::Context << 0;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << 0;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown << 0;
}

void TestMainParts::trayEvents()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(int, restores);
    mainwin::TrayIcon tray(mainwin::appIcon(), [] { return false; });
    QSignalSpy restore(&tray, &mainwin::TrayIcon::restoreRequested);
    tray.onActivated(reason);
    QCOMPARE(restore.count(), restores);
}

void TestMainParts::trayReportsANotificationAreaComingAndGoing()
{
    auto present = std::make_shared<bool>(false);
    mainwin::TrayIcon tray(mainwin::appIcon(), [present] { return *present; });
    QSignalSpy changed(&tray, &mainwin::TrayIcon::availabilityChanged);
    tray.add();
    QVERIFY(!tray.isAvailable());

    tray.checkAvailability();
    QCOMPARE(changed.count(), 0);

    *present = true;
    tray.checkAvailability();
    tray.checkAvailability();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), true);
    QVERIFY(tray.isAvailable());

    *present = false;
    tray.checkAvailability();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toBool(), false);
}

QTEST_MAIN(TestMainParts)
#include "tst_mainparts.moc"
