// SPDX-License-Identifier: GPL-3.0-or-later
// What goes beyond the weekly alarm, driven as the user does: the editor's Every or Once on, Skip next,
// the icon's Ring in... and Pause, and the next alarm in the tip and the status line.
#include "MainWindow.h"
#include "ui/editor/Dialog.h"
#include "ui/main/AppIcon.h"
#include "ui/main/NextAlarm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>

namespace {

struct Harness : MainWindow
{
    explicit Harness(const std::string& data) : MainWindow(data)
    {
        clock.set(2026, 12, 7, 6, 0); // a Monday
        form.Form_Load();
    }
};

const char* const workdays =
    "[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=23456\nTime=7:00 AM\nMemo=work\nSound=\n";

// The editor opened by Add... (edit 0) or on an alarm, filled, and OK pressed.
struct Choice
{
    const char* name;
    std::string data = workdays;
    int edit = 0;
    const char* time = "9:00 AM";
    bool once = true;
    std::optional<QDate> date = std::nullopt;    // typed over the date the editor offers
    std::optional<QDate> offered = std::nullopt; // what it offers first
    const char* days = "";                       // boxes ticked, "1" Sunday .. "7" Saturday
    const char* message = "";
    const char* type = ""; // of the alarm written, or of the first one when none was
    const char* storedDate = "<absent>";
};

const Choice choices[] = {
    {.name = "once today while the time is ahead",
     .time = "6:01 AM",
     .offered = QDate(2026, 12, 7),
     .type = "",
     .storedDate = "2026-12-07"},
    {.name = "once tomorrow when today's time has passed",
     .time = "5:59 AM",
     .offered = QDate(2026, 12, 8),
     .storedDate = "2026-12-08"},
    {.name = "once on a day gone refused",
     .date = QDate(2026, 12, 6),
     .offered = QDate(2026, 12, 7),
     .message = messages::onceInPast,
     .type = "23456"},
    {.name = "once today at a passed time refused",
     .time = "5:00 AM",
     .date = QDate(2026, 12, 7),
     .offered = QDate(2026, 12, 8),
     .message = messages::onceInPast,
     .type = "23456"},
    {.name = "a one-off opens as one and turns weekly",
     .data = "[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=\nTime=7:00 AM\nMemo=a\nSound=\nDate=2026-12-24\n",
     .edit = 1,
     .time = "7:00 AM",
     .once = false,
     .offered = QDate(2026, 12, 24),
     .days = "7",
     .type = "7"},
};

} // namespace

class TestPlans : public QObject
{
    Q_OBJECT
private slots:
    void everyOrOnce_data() { addRows(choices); }
    void everyOrOnce()
    {
        QFETCH(int, row);
        const Choice& c = choices[row];
        Harness h(c.data);
        Dialog& editor = h.form.editor();
        if (c.edit == 0)
            editor.openNew();
        else
            editor.Modi(static_cast<std::int16_t>(c.edit));
        auto* dateBox = editor.findChild<QDateEdit*>("dtpOnce");
        editor.findChild<QComboBox*>("cmbtime2")->setEditText(c.time);
        if (c.edit == 0) {
            editor.findChild<QPlainTextEdit*>("txtMemo")->setPlainText("memo");
            QTest::mouseClick(editor.findChild<QRadioButton*>(c.once ? "optOnce" : "optEvery"),
                              Qt::LeftButton);
        }
        if (c.offered)
            QCOMPARE(dateBox->date(), *c.offered);
        QCOMPARE(dateBox->isEnabled(), editor.ringsOnce());
        if (c.edit != 0)
            QTest::mouseClick(editor.findChild<QRadioButton*>(c.once ? "optOnce" : "optEvery"),
                              Qt::LeftButton);
        QCOMPARE(editor.ringsOnce(), c.once);
        if (c.date)
            dateBox->setDate(*c.date);
        for (const char* day = c.days; *day != '\0'; ++day)
            editor.findChild<QCheckBox*>(QString("Check%1").arg(*day))->setChecked(true);
        QTest::mouseClick(editor.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        QCOMPARE(h.messages().join('|'), QString(c.message));
        const std::string last = "Alarm" + h.read("Alarm", "Count");
        QCOMPARE(h.read(last, "Type"), std::string(c.type));
        QCOMPARE(h.read(last, "Date"), std::string(c.storedDate));
        // The next Add... starts afresh: Every, and the list of times once.
        editor.reject();
        editor.openNew();
        QVERIFY(!editor.ringsOnce());
        QCOMPARE(editor.findChild<QComboBox*>("cmbtime2")->count(), 24);
    }

    // Skip next holds Monday's ring and not Tuesday's; pressed twice it undoes; a one-off rings once,
    // through its snooze, and is then switched off but kept.
    void skipAndOneOff()
    {
        Harness h("[Alarm]\nCount=2\n[Alarm1]\nState=1\nType=23456\nTime=7:00 AM\nMemo=work\nSound=\n"
                  "[Alarm2]\nState=1\nType=\nTime=7:00 AM\nMemo=once\nSound=\nDate=2026-12-08\n");
        auto* skip = h.find<QPushButton>("cmdSkip");
        QVERIFY(!skip->isEnabled()); // nothing selected
        h.select(1);
        h.form.SetSnoozeValue(1, 0, 5, false);
        QTest::mouseClick(skip, Qt::LeftButton);
        QCOMPARE(h.form.alarmTable().ASnoozeM[1], 0); // the snoozed ring is skipped too
        QCOMPARE(h.read("Alarm1", "Skip"), "2026-12-07");
        QCOMPARE(h.column(3)[0], "On (skips Mon 7 Dec)");
        auto* list = h.find<QTreeWidget>("ListView1");
        QVERIFY(list->header()->sectionSize(3) >=
                static_cast<QAbstractItemView*>(list)->sizeHintForColumn(3));
        QCOMPARE(skip->text(), "Don't s&kip");
        QTest::mouseClick(skip, Qt::LeftButton);
        QCOMPARE(h.read("Alarm1", "Skip"), "<absent>");
        QCOMPARE(h.column(3)[0], "On");
        QTest::mouseClick(skip, Qt::LeftButton);
        QCOMPARE(h.read("Alarm1", "Skip"), "2026-12-07");
        QCOMPARE(h.column(2)[1], "Once, Tue 8 Dec");

        h.at(7, 7, 0);
        QCOMPARE(h.ringing(), "");
        h.at(8, 7, 0);
        QCOMPARE(h.ringing(), "work");
        QCOMPARE(h.column(3)[0], "On");
        h.answer("OKButton");
        QTRY_COMPARE(h.ringing(), "once");
        h.form.alarmWindow().current()->cmbtime->setEditText("0:05");
        h.answer("cmdSnooze");
        QCOMPARE(h.read("Alarm2", "State"), "1");
        h.at(8, 7, 5);
        QTRY_COMPARE(h.ringing(), "once");
        h.answer("OKButton");
        QCOMPARE(h.read("Alarm2", "State"), "0");
        QCOMPARE(h.read("Alarm", "Count"), "2");
    }

    // Ring in... adds a timer that rings once and leaves nothing; Pause holds the rings until its day and
    // shows in the icon; the tip and the status line follow each step.
    void ringInAndPause()
    {
        Harness h("[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=1234567\nTime=7:30 AM\nMemo=work\nSound=\n");
        QCOMPARE(h.form.trayIcon().tip(), "Wakery\nNext: Mon 07:30 - work (in 1 h 30 min)");
        h.choose('i', [](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), "Ring in");
            QCOMPARE(dialog.findChild<QComboBox*>("cmbRingIn")->currentText(), "00:05");
            dialog.findChild<QComboBox*>("cmbRingIn")->setEditText("13:00");
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
            QVERIFY(dialog.isVisible()); // refused as Snooze refuses it
            dialog.findChild<QComboBox*>("cmbRingIn")->setEditText("0:5");
            QTest::keyClicks(dialog.findChild<QLineEdit*>("txtMemo"), "tea");
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        QCOMPARE(h.messages(), QStringList{messages::invalidDuration});
        QCOMPARE(h.read("Alarm2", "Date") + " " + h.read("Alarm2", "Time") + " " + h.read("Alarm2", "Type"),
                 "2026-12-07 06:05 ");
        QCOMPARE(h.form.trayIcon().tip(), "Wakery\nNext: Mon 06:05 - tea (in 5 min)");
        h.at(7, 6, 3);
        QCOMPARE(h.sounds.log.prepared, 1); // the sound made ready ahead of the ring
        h.at(7, 6, 5);
        QCOMPARE(h.ringing(), "tea");
        h.answer("OKButton");
        QCOMPARE(h.read("Alarm", "Count"), "1");

        h.form.setWakeStatus({.ability = platform::WakeStatus::Ability::Refused, .reason = "no capability"});
        QVERIFY(!h.form.trayIcon().resumeAction()->isVisible());
        h.choose('p', [](QDialog& dialog) {
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(h.read("Alarm", "PauseUntil"), "<absent>");
        h.form.SetSnoozeValue(1, 0, 5, false);
        h.choose('p', [](QDialog& dialog) {
            auto* until = dialog.findChild<QDateEdit*>("dtpUntil");
            QCOMPARE(until->date(), QDate(2026, 12, 8));
            until->setDate(QDate(2026, 12, 9));
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        QCOMPARE(h.read("Alarm", "PauseUntil"), "2026-12-09");
        QCOMPARE(h.form.alarmTable().ASnoozeM[1], 0); // a snooze pending goes with the pause
        QVERIFY(h.form.trayIcon().isPaused() && h.form.trayIcon().resumeAction()->isVisible());
        QVERIFY(!h.form.trayIcon().pauseAction()->isVisible());
        QCOMPARE(h.form.trayIcon().tip(),
                 "Wakery - paused until Wed 9 Dec\nNext: Wed 07:30 - work (in 2 d 1 h)");
        auto* status = h.find<QLabel>("lblNext");
        QCOMPARE(status->text(),
                 "Alarms paused until Wed 9 Dec. Next: Wed 07:30 - work (in 2 d 1 h) - cannot "
                 "wake this computer");
        QCOMPARE(status->toolTip(), "Cannot wake this computer: no capability");
        h.at(8, 7, 30);
        QCOMPARE(h.ringing(), "");
        h.at(8, 8, 0);
        h.choose('u');
        QCOMPARE(h.read("Alarm", "PauseUntil"), "<absent>");
        QVERIFY(!h.form.trayIcon().isPaused() && h.form.trayIcon().pauseAction()->isVisible());
        QCOMPARE(h.form.trayIcon().tip(), "Wakery\nNext: Wed 07:30 - work (in 23 h 30 min)");
        QCOMPARE(h.find<QPushButton>("cmdPause")->text(), "&Pause...");
        QCOMPARE(mainwin::durationText(24 * 60), "1 d");
        QCOMPARE(mainwin::durationText(2 * 60), "2 h");
        // The pause badge's two bars, in the clock face's colour.
        const QImage paused = mainwin::drawAppIcon(64, true).toImage();
        QCOMPARE(paused.pixelColor(41, 46), paused.pixelColor(50, 46));
        QCOMPARE(paused.pixelColor(41, 46), QColor(0xff, 0xfb, 0xf2));
    }
};

QTEST_MAIN(TestPlans)
#include "tst_plans.moc"
