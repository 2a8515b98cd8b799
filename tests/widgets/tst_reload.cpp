#include "ui/main/Form1.h"

#include "FakeServices.h"
#include "ui/editor/Dialog.h"

#include <QTreeWidget>

#include <filesystem>
#include <memory>

namespace {

// One alarm for each letter of memos, that letter its memo.
std::string alarms(const std::string& memos)
{
    std::string text = "[Alarm]\nCount=" + std::to_string(memos.size()) + "\n";
    for (std::size_t i = 0; i < memos.size(); ++i)
        text += "[Alarm" + std::to_string(i + 1) + "]\nState=1\nType=1234567\nTime=7:0" + std::to_string(i) +
                " AM\nMemo=" + memos[i] + "\nSound=\n";
    return text;
}

// What a hand edit can leave of the file's stamp: SameStamp is new content of the same size with the
// modification time put back; ReplacedFile the same, but a new file renamed over the old one.
enum class Edit { None, SameStamp, Size, ModifiedTime, ReplacedFile };

struct Harness : FakeServices
{
    explicit Harness(bool tray = true, Form1::Controls controls = Form1::Controls::AtOnce)
    {
        folder.write("Data.ini", alarms("abcd"));
        form = std::make_unique<Form1>(
            services, nullptr, [tray] { return tray; }, controls);
    }
    QTreeWidget* list() const { return form->findChild<QTreeWidget*>("ListView1"); }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row)); }
    void click(const char* name) const
    {
        QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // The memos the list shows, one letter per row.
    std::string memos() const
    {
        std::string result;
        for (int i = 0; list() != nullptr && i < list()->topLevelItemCount(); ++i)
            result += list()->topLevelItem(i)->text(1).toStdString();
        return result;
    }
    void edit(Edit how) const
    {
        namespace fs = std::filesystem;
        const std::string path = folder.file("Data.ini"),
                          name = how == Edit::ReplacedFile ? "new.ini" : "Data.ini";
        const auto time = fs::last_write_time(path);
        if (how == Edit::None)
            return;
        folder.write(name, alarms(how == Edit::Size ? "wxyze" : "wxyz"));
        fs::last_write_time(folder.file(name),
                            how == Edit::ModifiedTime ? time + std::chrono::seconds(1) : time);
        if (how == Edit::ReplacedFile)
            fs::rename(folder.file(name), path);
    }
    std::unique_ptr<Form1> form;
};

} // namespace

class TestReload : public QObject
{
    Q_OBJECT
private slots:
    // From the notification area after start-up, right after a close, while on screen, and from minimised
    // with no notification area.
    void showingTheWindowAlwaysReloads()
    {
        for (const QString row : {"tray", "tray shown closed", "tray shown", "minimised"}) {
            Harness h(row.startsWith("tray"));
            h.form->Form_Load();
            if (row.contains("shown"))
                h.form->mPopRestore_Click();
            if (row.contains("closed"))
                h.form->close();
            QCOMPARE(h.memos(), "abcd");
            h.edit(Edit::SameStamp); // nothing on the file tells the change: only the restore can bring it
            h.form->mPopRestore_Click();
            QVERIFY(h.form->isVisible() && !h.form->isMinimized());
            QCOMPARE(h.memos(), "wxyz");
        }
    }

    // A list left alone keeps its rows, and with them where it was scrolled to.
    void activationReloadsOnlyAChangedFile()
    {
        for (const Edit edit :
             {Edit::None, Edit::SameStamp, Edit::Size, Edit::ModifiedTime, Edit::ReplacedFile}) {
            const std::string memos = edit == Edit::Size ? "wxyze" : edit > Edit::SameStamp ? "wxyz" : "abcd";
            Harness h;
            h.form->Form_Activate();
            h.select(3);
            h.list()->topLevelItem(0)->setData(0, Qt::UserRole, true);
            h.edit(edit);
            QEvent activation(QEvent::WindowActivate);
            QCoreApplication::sendEvent(h.form.get(), &activation);
            QCOMPARE(h.memos(), memos);
            QCOMPARE(h.list()->topLevelItem(0)->data(0, Qt::UserRole).isValid(), memos == "abcd");
        }
    }

    // Edit..., Delete and On/Off.
    void listCommandOnAChangedFileOnlyReloads()
    {
        for (const char* command : {"Command2", "Command3", "cmdOnOff"}) {
            Harness h;
            h.form->Form_Activate();
            h.select(1);
            h.edit(Edit::Size);
            const std::string edited = h.folder.read("Data.ini");
            h.click(command);
            QCOMPARE(h.folder.read("Data.ini"), edited);
            QCOMPARE(h.memos(), "wxyze");
            QVERIFY2(!h.form->editor().isVisible() && h.dialogs.shown.empty(), command);
            // Pressed again on the list as it now stands, the command acts, also after the program's own
            // write of the default snooze, which is no change behind its back.
            h.form->findChild<QComboBox*>("cmbtime")->setEditText("00:10");
            h.click("cmdSet");
            const std::string set = h.folder.read("Data.ini");
            QVERIFY(set != edited);
            h.select(1);
            h.click(command);
            QVERIFY2(h.folder.read("Data.ini") != set || h.form->editor().isVisible(), command);
            QVERIFY(h.dialogs.shown.empty());
        }
    }

    void controlsComeWithTheFirstShowing()
    {
        Harness h(true, Form1::Controls::WhenFirstShown);
        h.form->Form_Load();
        QCOMPARE(h.form->ACount(), 4);
        QVERIFY(h.list() == nullptr && h.form->findChild<Dialog*>() == nullptr &&
                h.form->trayIcon().isAdded());
        h.form->mPopRestore_Click();
        QCOMPARE(h.memos(), "abcd");
        h.select(0);
        h.click("Command2");
        QVERIFY(h.form->findChild<Dialog*>() != nullptr && h.form->editor().isVisible());
    }
};

QTEST_MAIN(TestReload)
#include "tst_reload.moc"
