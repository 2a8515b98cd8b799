// SPDX-License-Identifier: GPL-3.0-or-later
// What another program does to Data.ini while Wakery runs (a script, a second editor, a synced folder),
// and the ends of a session: nothing written over, nothing left unrung, nothing asked at logout.
#include "ui/main/Form1.h"

#include "FakeServices.h"
#include "platform/qt/FileChangeWatch.h"
#include "platform/qt/QtFiles.h"
#include "ui/editor/Dialog.h"
#include "ui/main/CheckTimer.h"
#include "ui/notify/frmalarm.h"
#include "ui/window/Messages.h"

#include <QCheckBox>

#include <filesystem>
#include <memory>

namespace {

// Alarms every day, one for each memo, all at the same time unless the last is given one of its own.
std::string alarms(const QStringList& memos, const std::string& lastTime = "6:00 AM")
{
    std::string text = "[Alarm]\nCount=" + std::to_string(memos.size()) + "\n";
    for (qsizetype i = 0; i < memos.size(); ++i)
        text += "[Alarm" + std::to_string(i + 1) +
                "]\nState=1\nType=1234567\nTime=" + (i + 1 == memos.size() ? lastTime : "6:00 AM") +
                "\nMemo=" + memos[i].toStdString() + "\nSound=\n";
    return text;
}

struct Harness : FakeServices
{
    explicit Harness(const QStringList& memos, bool tray = true)
    {
        folder.write("Data.ini", alarms(memos));
        form = std::make_unique<Form1>(
            services, nullptr, [tray] { return tray; }, Form1::Controls::AtOnce);
        form->Form_Load();
    }
    std::unique_ptr<Form1> form;
    Dialog& editor() const { return form->editor(); }
    template <typename T> T* control(const char* name) const { return editor().findChild<T*>(name); }
    // The memos of Data.ini's alarms, 1 to Count.
    QStringList memos() const
    {
        QStringList result;
        for (int i = 1; i <= std::stoi(read("Alarm", "Count")); ++i)
            result << QString::fromStdString(read("Alarm" + std::to_string(i), "Memo"));
        return result;
    }
    void typeAndPressOk(const QString& memo) const
    {
        control<QPlainTextEdit>("txtMemo")->setPlainText(memo);
        control<QCheckBox>("Check2")->setChecked(true);
        control<QPushButton>("OKButton")->click();
    }
};

} // namespace

class NothingLostTest : public QObject
{
    Q_OBJECT
private slots:
    // The editor is open (Add... or Edit... of alarm `edit`) when another program writes `elsewhere`.
    // OK writes at once, or is refused with a message and the reloaded list, and the next OK writes.
    void editorNeverWritesOverAnotherProgramsAlarm_data()
    {
        QTest::addColumn<int>("edit"); // 0: Add...
        QTest::addColumn<QStringList>("elsewhere");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("memosAfter");
        QTest::newRow("add after an alarm another program added")
            << 0 << QStringList{"a", "b", "c"} << false << QStringList{"a", "b", "c", "mine"};
        QTest::newRow("change while another program added an alarm")
            << 1 << QStringList{"a", "b", "c"} << false << QStringList{"mine", "b", "c"};
        QTest::newRow("change of an alarm renumbered by a deletion elsewhere")
            << 2 << QStringList{"b"} << true << QStringList{"mine"};
        QTest::newRow("change of an alarm changed elsewhere: added as new")
            << 1 << QStringList{"theirs", "b"} << true << QStringList{"theirs", "b", "mine"};
        QTest::newRow("change of an alarm deleted elsewhere: added as new")
            << 2 << QStringList{"a"} << true << QStringList{"a", "mine"};
    }
    void editorNeverWritesOverAnotherProgramsAlarm()
    {
        QFETCH(int, edit);
        QFETCH(QStringList, elsewhere);
        QFETCH(bool, refused);
        QFETCH(QStringList, memosAfter);
        Harness h({"a", "b"});
        if (edit == 0)
            QVERIFY(h.editor().openNew());
        else
            h.editor().Modi(static_cast<std::int16_t>(edit));
        QVERIFY(h.editor().isVisible());
        h.folder.write("Data.ini", alarms(elsewhere));

        h.typeAndPressOk("mine");
        if (refused) {
            QCOMPARE(h.messages(), QStringList{messages::changedElsewhere});
            QCOMPARE(h.memos(), elsewhere);
            QVERIFY(h.editor().isVisible());
            QCOMPARE(h.control<QPlainTextEdit>("txtMemo")->toPlainText(), QString("mine"));
            QCOMPARE(h.form->alarmTable().ACount, elsewhere.size());
            h.control<QPushButton>("OKButton")->click();
        }
        QVERIFY(!h.editor().isVisible());
        QCOMPARE(h.memos(), memosAfter);
        QCOMPARE(h.messages().size(), refused ? 1 : 0);
    }

    // With the main window hidden, a hand-added alarm is read within the settle time and rings; a burst of
    // writes is read a few times, not once per write; a file that vanishes or becomes a folder changes
    // nothing and is written by nobody, and the watch goes on when a file is back.
    void changesMadeElsewhereReachTheAlarms()
    {
        Harness h({"a"});
        h.clock.set(2026, 12, 7, 7, 58);
        const std::string path = h.folder.file("Data.ini");
        QSignalSpy checks(h.form->Timer1, &CheckTimer::timeout);
        QVERIFY(!h.form->isVisible());

        h.folder.write("Data.ini", alarms({"a", "b"}, "7:59 AM"));
        QTRY_COMPARE(h.form->alarmTable().ACount, 2);
        h.clock.advanceMinutes(1);
        h.form->Timer1->runNow();
        QCOMPARE(h.form->alarmCheck().showingIndex(), std::optional<std::int16_t>(2));

        checks.clear();
        for (int i = 0; i < 100; ++i)
            h.folder.write("Data.ini", alarms(QStringList(i % 7 + 1, "x")));
        h.folder.write("Data.ini", alarms(QStringList(9, "last")));
        QTRY_COMPARE(h.form->alarmTable().ACount, 9);
        QVERIFY2(checks.count() <= 5, qPrintable(QString("%1 reloads").arg(checks.count())));

        QSignalSpy noticed(h.form->findChild<platform::FileChangeWatch*>(),
                           &platform::FileChangeWatch::changed);
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        QTRY_VERIFY(noticed.count() > 0);
        QCOMPARE(h.form->alarmTable().ACount, 9);
        std::filesystem::remove(path);
        h.folder.write("Data.ini", alarms({"back"}));
        QTRY_COMPARE(h.form->alarmTable().ACount, 1);
        QVERIFY(h.messages().isEmpty());
    }

    // An installed program has no default.wav beside it: an alarm whose own file cannot be played falls
    // back to the default sound in the data folder the layout names.
    void missingSoundFallsBackToTheInstalledDefault()
    {
        FakeServices s;
        const std::string installed = s.folder.file("share/wakery/default.wav");
        const platform::QtFiles files(platform::AppLayout{
            .portable = false, .dataFolder = s.folder.path(), .defaultSound = installed, .soundModule = ""});
        QVERIFY(files.programFolder() != s.folder.path());
        FakeOwner owner; // alarm 1 has "/music/a b.mp3", which fails here
        s.sounds.log.failing["/music/a b.mp3"] = "no such file";
        notify::frmalarm window(owner, files, s.dialogs, s.sounds);
        window.AlarmIndex = 1;
        window.Form_Activate();
        window.Timer1_Timer();
        QCOMPARE(s.sounds.log.filesStarted, (std::vector<std::string>{"/music/a b.mp3", installed}));
    }

    // Logout without a notification area, where a close asks "End Wakery now?": it ends without asking.
    void logoutEndsWithoutAsking()
    {
        Harness h({"a"}, false);
        QSignalSpy ended(h.form.get(), &Form1::programEnd);
        h.form->sessionEnding();
        h.form->close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(h.dialogs.asked.empty());
    }
};

QTEST_MAIN(NothingLostTest)
#include "tst_nothinglost.moc"
