// The icon, its menu's "Start at login", and closing the main window where there is no notification area.
#include "platform/Autostart.h"
#include "ui/main/AppIcon.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/TrayLifecycle.h"

#include "fakes/FakeDialogs.h"

#include <QTest>

namespace {

// Without a notification area, as the offscreen platform has none.
struct Program
{
    Program() { lifecycle.start(); }
    bool onTaskBarOnly() const { return window.isVisible() && window.isMinimized(); }

    QWidget window;
    fakes::FakeDialogs dialogs;
    mainwin::TrayIcon tray{mainwin::appIcon(), [] { return false; }};
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

    // Without a notification area, closing asks before ending; No keeps the window on the task bar.
    void closingWithoutANotificationAreaAsks()
    {
        for (const bool answerYes : {true, false}) {
            Program program;
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
