// The ringing window against the editor's modality, Enter in the editor's memo, and the ringing window as a
// screen reader meets it.
#include "FakeServices.h"
#include "platform/qt/QtDialogs.h"
#include "ui/editor/Dialog.h"
#include "ui/notify/AlarmWindowHost.h"
#include "ui/notify/frmalarm.h"

#include <QAccessible>
#include <QCheckBox>
#include <QTimer>

namespace {

class NoOwner : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t, std::int16_t, std::int16_t, bool) override {}
    bool AlarmSoundPresent(std::int16_t) const override { return false; }
    std::string GetASound(std::int16_t) const override { return {}; }
};

} // namespace

class TestMends : public QObject
{
    Q_OBJECT
    FakeServices fake;
    NoOwner owner;

private slots:
    // With Add open the ringing window still comes back in front; only a message box, which must be
    // answered first, keeps it back.
    void ringingWindowReturnsUnlessABoxWaits_data()
    {
        QTest::addColumn<bool>("boxWaits");
        QTest::newRow("Add open") << false;
        QTest::newRow("Add open, a message box waits") << true;
    }
    void ringingWindowReturnsUnlessABoxWaits()
    {
        QFETCH(bool, boxWaits);
        store::AlarmTable table;
        QWidget mainWindow;
        mainWindow.show();
        Dialog editor(fake.services, table, &mainWindow);
        QVERIFY(editor.openNew());
        notify::frmalarm alarm(owner, fake.files, fake.dialogs, fake.sounds);
        alarm.show();
        bool minimised = false;
        const auto tick = [&] {
            alarm.showMinimized();
            alarm.Timer1_Timer();
            minimised = alarm.isMinimized();
            if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box != &editor)
                box->close();
        };
        if (boxWaits) { // the program's own message box, as the alarm's invalid duration shows it
            QTimer::singleShot(0, &alarm, tick);
            platform::QtDialogs().showMessage(platform::MessageIcon::Critical, "Wakery",
                                              "Please enter a valid duration.");
        } else {
            tick();
        }
        QCOMPARE(minimised, boxWaits);
    }

    // Enter in the memo presses OK like Enter anywhere in the editor; Ctrl+Enter ('|') breaks the line,
    // stored as two blanks and counted as two toward what the store keeps; the box shows no more than is
    // kept. A refused OK (empty stored) leaves the memo as typed.
    void enterSavesAndCtrlEnterBreaksTheMemo_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("dayMarked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Enter") << "Wake up" << int(Qt::Key_Return) << true << "Wake up";
        QTest::newRow("keypad Enter") << "Wake" << int(Qt::Key_Enter) << true << "Wake";
        QTest::newRow("Ctrl+Enter") << "Wake|up" << int(Qt::Key_Return) << true << "Wake  up";
        QTest::newRow("break counts two")
            << QString(250, 'a') + "|bcdef" << int(Qt::Key_Return) << true << QString(250, 'a') + "  bc";
        QTest::newRow("no day marked") << "Wake|up" << int(Qt::Key_Return) << false << "";
    }
    void enterSavesAndCtrlEnterBreaksTheMemo()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(bool, dayMarked);
        QFETCH(QString, stored);
        fake.dialogs.shown.clear();
        store::AlarmTable table;
        QWidget mainWindow;
        mainWindow.show();
        Dialog editor(fake.services, table, &mainWindow);
        QVERIFY(editor.openNew());
        editor.findChild<QCheckBox*>("Check2")->setChecked(dayMarked);
        auto* memo = editor.findChild<QPlainTextEdit*>("txtMemo");
        memo->setFocus();
        const QStringList lines = typed.split('|');
        for (qsizetype line = 0; line < lines.size(); ++line) {
            if (line > 0)
                QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
            QTest::keyClicks(memo, lines[line]);
        }
        const QString shown = memo->toPlainText();
        QTest::keyClick(memo, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(editor.isVisible(), stored.isEmpty());
        QCOMPARE(fake.dialogs.shown.size(), std::size_t(stored.isEmpty()));
        if (stored.isEmpty())
            QCOMPARE(memo->toPlainText(), typed.replace('|', '\n'));
        else
            QCOMPARE(QString::fromStdString(fake.read("Alarm1", "Memo")) + "/" +
                         QString(shown).replace('\n', "  "),
                     stored + "/" + stored);
    }

    // A screen reader speaks an alert as it opens; the time and memo go with it.
    void ringingWindowOpensAsAnAlert()
    {
        notify::AlarmWindowHost host(owner, fake.files, fake.dialogs, fake.sounds);
        host.showAlarm(1, "Wake up", "7:00:00 AM");
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(host.current());
        QCOMPARE(alert->role(), QAccessible::AlertMessage);
        QCOMPARE(alert->text(QAccessible::Name) + "/" + alert->text(QAccessible::Description),
                 QString("Alarm! 7:00:00 AM/Wake up"));
        host.current()->OKButton_Click();
    }
};

QTEST_MAIN(TestMends)
#include "tst_mends.moc"
