// SPDX-License-Identifier: GPL-3.0-or-later
// Each window before it is touched: every control inside it and clear of the others (one that lost its
// place lands at the top left, over another), what a screen reader names each field, where Tab takes the
// keyboard, and the window as drawn, by the digest of the image last looked at: a change to a place, a
// caption or a font shows here, to be looked at and its digest taken anew.
#include "FakeServices.h"
#include "ui/editor/Dialog.h"
#include "ui/main/Form1.h"
#include "ui/notify/frmalarm.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCryptographicHash>
#include <QLabel>

namespace {

// A label's or check box's text may end well before its box does.
QRect shownPart(const QWidget& control)
{
    QRect part = control.geometry();
    if (qobject_cast<const QLabel*>(&control) != nullptr || qobject_cast<const QAbstractButton*>(&control))
        part.setWidth(std::min(part.width(), control.sizeHint().width()));
    return part;
}

// Fields are named after their label.
struct Window
{
    const char* name;
    const char* title;
    QByteArray drawn; // the first 16 hex digits of the SHA-256 of its pixels
    QStringList tabOrder;
    std::vector<std::pair<const char*, const char*>> spokenNames; // control, its name
    QStringList readOnly, hinted;                                 // hinted: a tip shows over it
};
const Window windows[] = {
    {.name = "Form1",
     .title = "Orvane Wakery",
     .drawn = "74fdfd3cb68f7d77",
     .tabOrder = {"cmbtime", "cmdOnOff", "Command3", "Command2", "Command1", "cmdPause", "cmdRingIn",
                  "ListView1", "cmdSet"},
     .spokenNames = {{"cmbtime", "Default Snooze Duration"}, {"ListView1", "Alarms"}},
     .readOnly = {},
     .hinted = {"cmbtime"}},
    {.name = "Dialog",
     .title = "Change Alarm...",
     .drawn = "5a6a424599811626",
     .tabOrder = {"OKButton", "CancelButton", "cmbtime2", "optEvery", "Check1", "Check2", "Check3", "Check4",
                  "Check5", "Check6", "Check7", "txtMemo", "cmdbrowse", "txtaction"},
     .spokenNames = {{"cmbtime2", "Time"},
                     {"dtpOnce", "Once on"},
                     {"txtMemo", "Memo"},
                     {"txtaction", "Sound file to play (Blank=Default Sound)"}},
     .readOnly = {},
     .hinted = {"OKButton", "cmbtime2", "txtaction"}},
    {.name = "frmalarm",
     .title = "Alarm!",
     .drawn = "d9ac1636f7d6ff9b",
     .tabOrder = {"OKButton", "cmdSnooze", "txttitle", "txtMemo", "cmbtime"},
     .spokenNames = {{"txtMemo", "Memo"}, {"cmbtime", "Snooze Duration"}},
     .readOnly = {"txttitle", "txtMemo"},
     .hinted = {"cmbtime"}},
};

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setCursorFlashTime(0); } // a blinking cursor would change the image
    void controlsAreWholeAndApart_data() { addRows(windows); }
    void controlsAreWholeAndApart()
    {
        QFETCH(int, row);
        const Window& c = windows[row];
        FakeServices s;
        s.folder.write("Data.ini", alarms({"Wake up"}, "7:30 AM"));
        Form1 main{s.services, nullptr, [] { return true; }};
        main.Form_Load();
        QWidget* shown = &main;
        if (row == 1)
            main.editor().Modi(1), shown = &main.editor();
        if (row == 2)
            main.alarmWindow().showAlarm(1, "Wake up", "7:30:00 AM"), shown = main.alarmWindow().current();
        QWidget* container = shown == &main ? main.centralWidget() : shown;
        shown->show();
        QCOMPARE(shown->windowTitle(), QString(c.title));

        QList<const QWidget*> placed;
        for (const QWidget* control :
             container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->isWindow() || !control->isVisibleTo(shown))
                continue;
            const QRect part = shownPart(*control);
            QVERIFY2(container->rect().contains(part), qPrintable(control->objectName()));
            for (const QWidget* other : placed)
                QVERIFY2(!shownPart(*other).intersects(part),
                         qPrintable(control->objectName() + " over " + other->objectName()));
            placed << control;
        }

        for (const auto& [name, spoken] : c.spokenNames) {
            auto* control = shown->findChild<QWidget*>(name);
            // A combo box is read out by its text on Linux; its text field, where the keys go, is named.
            if (auto* combo = qobject_cast<QComboBox*>(control))
                control = combo->lineEdit();
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                     QString(spoken));
        }
        for (const QString& name : c.hinted)
            QVERIFY2(!shown->findChild<QWidget*>(name)->toolTip().isEmpty(), qPrintable(name));
        for (const QString& name : c.readOnly)
            QVERIFY2(shown->findChild<QWidget*>(name)->property("readOnly").toBool(), qPrintable(name));

        // Tab moves on from every control, the memo boxes included.
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        const QImage drawn = shown->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QByteArrayView pixels(drawn.constBits(), drawn.sizeInBytes());
        QCOMPARE(QCryptographicHash::hash(pixels, QCryptographicHash::Sha256).toHex().left(16), c.drawn);
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        QStringList reached;
        for (qsizetype step = 0; step < c.tabOrder.size(); ++step) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus != nullptr, qPrintable(reached.join(',')));
            const QWidget* named = focus->objectName().isEmpty() ? focus->parentWidget() : focus;
            reached << named->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(reached, c.tabOrder);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
