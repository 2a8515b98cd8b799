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

class TestMends : public QObject
{
    Q_OBJECT
    FakeServices fake;
    FakeOwner owner;
    store::AlarmTable table;
    QWidget mainWindow;

private slots:
    void init()
    {
        table = {};
        fake.dialogs.shown.clear();
        mainWindow.show();
    }

    // With Add open the ringing window still comes back in front; only a message box, which must be
    // answered first (the program's own, as the alarm's invalid duration shows it), keeps it back.
    void ringingWindowReturnsUnlessABoxWaits()
    {
        for (const bool boxWaits : {false, true}) {
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
            if (boxWaits) {
                QTimer::singleShot(0, &alarm, tick);
                platform::QtDialogs().showMessage(platform::MessageIcon::Critical, "Wakery",
                                                  "Please enter a valid duration.");
            } else {
                tick();
            }
            QCOMPARE(minimised, boxWaits);
        }
    }

    // Enter in the memo presses OK like Enter anywhere in the editor; Ctrl+Enter ('|') breaks the line,
    // stored as two blanks and counted as two toward what the store keeps; the box shows no more than is
    // kept. A refused OK (empty stored) leaves the memo as typed.
    void enterSavesAndCtrlEnterBreaksTheMemo()
    {
        const QString a250(250, 'a');
        for (const auto& [typed, key, dayMarked, stored] :
             {std::tuple{QString("Wake up"), Qt::Key_Return, true, QString("Wake up")},
              {"Wake", Qt::Key_Enter, true, "Wake"},
              {"Wake|up", Qt::Key_Return, true, "Wake  up"},
              {a250 + "|bcdef", Qt::Key_Return, true, a250 + "  bc"},
              {"Wake|up", Qt::Key_Return, false, ""}}) {
            init();
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
            QTest::keyClick(memo, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(editor.isVisible(), stored.isEmpty());
            QCOMPARE(fake.dialogs.shown.size(), std::size_t(stored.isEmpty()));
            QCOMPARE(stored.isEmpty() ? memo->toPlainText()
                                      : QString::fromStdString(fake.read("Alarm1", "Memo")),
                     stored.isEmpty() ? QString(typed).replace('|', '\n') : stored);
            if (!stored.isEmpty())
                QCOMPARE(QString(shown).replace('\n', "  "), stored);
        }
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
