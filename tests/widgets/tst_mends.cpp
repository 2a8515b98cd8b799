// The ringing window against the editor's modality, Enter in the editor's memo, and what a screen reader
// is told about each window.
#include "FakeServices.h"
#include "platform/qt/QtDialogs.h"
#include "ui/editor/Dialog.h"
#include "ui/main/Form1.h"
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

private:
    FakeServices fake;
    platform::Services& services = fake.services;
    platform::Files& files = fake.files;
    fakes::FakeDialogs& dialogs = fake.dialogs;
    fakes::FakeSoundPlayerFactory& sounds = fake.sounds;
    NoOwner owner;

private slots:
    // With Add open the ringing window still comes back in front; only a message box, which must be
    // answered first, keeps it back.
    void ringingWindowReturnsUnlessABoxWaits_data()
    {
        QTest::addColumn<bool>("addOpen");
        QTest::addColumn<bool>("boxWaits");
        QTest::addColumn<bool>("raised");
        QTest::newRow("nothing else open") << false << false << true;
        QTest::newRow("Add open") << true << false << true;
        QTest::newRow("a message box waits") << false << true << false;
        QTest::newRow("Add open, a message box waits") << true << true << false;
    }
    void ringingWindowReturnsUnlessABoxWaits()
    {
        QFETCH(bool, addOpen);
        QFETCH(bool, boxWaits);
        QFETCH(bool, raised);
        store::AlarmTable table;
        QWidget mainWindow;
        mainWindow.show();
        Dialog editor(services, table, &mainWindow);
        if (addOpen)
            QVERIFY(editor.openNew());
        notify::frmalarm alarm(owner, files, dialogs, sounds);
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
            // The program's own message box, as the alarm's invalid duration shows it.
            QTimer::singleShot(0, &alarm, tick);
            platform::QtDialogs().showMessage(platform::MessageIcon::Critical, "Wakery",
                                              "Please enter a valid duration.");
        } else {
            tick();
        }
        QCOMPARE(minimised, !raised);
    }

    // Enter in the memo presses OK like Enter anywhere in the editor; Ctrl+Enter breaks the line, which is
    // stored as two blanks. A line break counts as two toward what the store keeps, and the box shows no
    // more than is kept. A refused OK leaves the memo as typed.
    void enterSavesAndCtrlEnterBreaksTheMemo_data()
    {
        QTest::addColumn<QString>("typed"); // '|' is Ctrl+Enter
        QTest::addColumn<int>("modifier");  // of the final Enter
        QTest::addColumn<bool>("dayMarked");
        QTest::addColumn<QString>("stored"); // empty: refused
        const int plain = Qt::NoModifier;
        QTest::newRow("Enter in the memo") << "Wake up" << plain << true << "Wake up";
        QTest::newRow("keypad Enter in the memo") << "Wake" << int(Qt::KeypadModifier) << true << "Wake";
        QTest::newRow("Ctrl+Enter, two lines") << "Wake|up" << plain << true << "Wake  up";
        QTest::newRow("line break counts two toward the limit")
            << QString(250, 'a') + "|bcdef" << plain << true << QString(250, 'a') + "  bc";
        QTest::newRow("Enter with no day marked") << "Wake|up" << plain << false << "";
    }
    void enterSavesAndCtrlEnterBreaksTheMemo()
    {
        QFETCH(QString, typed);
        QFETCH(int, modifier);
        QFETCH(bool, dayMarked);
        QFETCH(QString, stored);
        dialogs.shown.clear();
        store::AlarmTable table;
        QWidget mainWindow;
        mainWindow.show();
        Dialog editor(services, table, &mainWindow);
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
        QVERIFY(editor.isVisible());
        const QString shown = memo->toPlainText();
        QTest::keyClick(memo, modifier == Qt::KeypadModifier ? Qt::Key_Enter : Qt::Key_Return,
                        Qt::KeyboardModifiers(modifier));
        if (stored.isEmpty()) {
            QVERIFY(editor.isVisible());
            QCOMPARE(dialogs.shown.size(), std::size_t{1});
            QCOMPARE(memo->toPlainText(), typed.replace('|', '\n'));
            return;
        }
        QVERIFY(!editor.isVisible());
        QCOMPARE(QString::fromStdString(fake.read("Alarm1", "Memo")), stored);
        QCOMPARE(QString(shown).replace('\n', "  "), stored);
    }

    // Each field is named after the label beside it, or its design text where it has none.
    void fieldsCarryTheirLabels_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* what, const char* window, const char* field, const char* name) {
            QTest::newRow(what) << QString(window) << QString(field) << QString(name);
        };
        row("main duration", "Form1", "cmbtime", "Default Snooze Duration");
        row("main list", "Form1", "ListView1", "Alarms");
        row("editor time", "Dialog", "cmbtime2", "Time");
        row("editor memo", "Dialog", "txtMemo", "Memo");
        row("editor sound", "Dialog", "txtaction", "Sound file to play (Blank=Default Sound)");
        row("ringing memo", "frmalarm", "txtMemo", "Memo");
        row("ringing duration", "frmalarm", "cmbtime", "Snooze Duration");
    }
    void fieldsCarryTheirLabels()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, name);
        Form1 main{services, nullptr, [] { return true; }};
        notify::frmalarm alarm{owner, files, dialogs, sounds};
        QWidget* shown = window == "Form1"    ? &main
                         : window == "Dialog" ? static_cast<QWidget*>(&main.editor())
                                              : &alarm;
        shown->show();
        auto* control = shown->findChild<QWidget*>(field);
        QVERIFY(control != nullptr);
        // A combo box is read out by its text on Linux; the keyboard is in its text field, which is named.
        if (auto* combo = qobject_cast<QComboBox*>(control))
            control = combo->lineEdit();
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name);
    }

    // A screen reader speaks an alert as it opens; the time and memo go with it.
    void ringingWindowOpensAsAnAlert()
    {
        notify::AlarmWindowHost host(owner, files, dialogs, sounds);
        host.showAlarm(1, "Wake up", "7:00:00 AM");
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(host.current());
        QCOMPARE(alert->role(), QAccessible::AlertMessage);
        QCOMPARE(alert->text(QAccessible::Name), QString("Alarm! 7:00:00 AM"));
        QCOMPARE(alert->text(QAccessible::Description), QString("Wake up"));
        host.current()->OKButton_Click();
    }
};

QTEST_MAIN(TestMends)
#include "tst_mends.moc"
