// What the user sees of each window before touching it: the captions, and every
// control inside the window and clear of the others (a control that lost its
// place lands at the top left, over another); and where Tab takes the keyboard.
#include "FakeServices.h"
#include "ui/editor/Dialog.h"
#include "ui/main/Form1.h"
#include "ui/notify/frmalarm.h"

#include <QAbstractButton>
#include <QLabel>

namespace {

// The part of a control that shows: a label's or check box's text may end well
// before its box does.
QRect shownPart(const QWidget& control)
{
    QRect part = control.geometry();
    if (qobject_cast<const QLabel*>(&control) != nullptr || qobject_cast<const QAbstractButton*>(&control))
        part.setWidth(std::min(part.width(), control.sizeHint().width()));
    return part;
}

QString caption(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    const auto* button = qobject_cast<const QAbstractButton*>(&control);
    return button != nullptr ? button->text() : QString();
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void controlsAreWholeAndApart_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("tabOrder");
        const auto row = [](const char* name, const char* window, const char* captions,
                            const char* tabOrder) {
            QTest::newRow(name) << window << QString(captions).split('|') << QString(tabOrder).split('|');
        };
        row("main window", "Form1", "Default Snooze Duration :|HH:MM|Set|Add...|Edit...|Delete|On/Off",
            "cmbtime|cmdOnOff|Command3|Command2|Command1|ListView1|cmdSet");
        row("editor", "Dialog",
            "OK|Cancel|HH:MM AM/PM|Sun|Mon|Tue|Wed|Thu|Fri|Sat|Time :|Memo :|Browse|"
            "Sound file to play (Blank=Default Sound) :",
            "OKButton|CancelButton|cmbtime2|Check1|Check2|Check3|Check4|Check5|Check6|Check7|txtMemo|"
            "cmdbrowse|"
            "txtaction");
        row("notification", "frmalarm", "Memo:|Snooze|OK|HH:MM",
            "OKButton|cmdSnooze|txttitle|txtMemo|cmbtime");
    }
    void controlsAreWholeAndApart()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, tabOrder);
        FakeServices s;
        Form1 main{s.services, nullptr, [] { return true; }};
        notify::frmalarm alarm{main.alarmWindow(), s.files, s.dialogs, s.sounds};
        QWidget* shown = window == "Form1"    ? &main
                         : window == "Dialog" ? static_cast<QWidget*>(&main.editor())
                                              : &alarm;
        QWidget* container = shown == &main ? main.centralWidget() : shown;
        shown->show();

        QStringList seen;
        QList<const QWidget*> placed;
        for (const QWidget* control :
             container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->isWindow() || !control->isVisibleTo(shown))
                continue;
            if (!caption(*control).isEmpty())
                seen << caption(*control);
            const QRect part = shownPart(*control);
            QVERIFY2(container->rect().contains(part), qPrintable(control->objectName()));
            for (const QWidget* other : placed)
                QVERIFY2(!shownPart(*other).intersects(part),
                         qPrintable(control->objectName() + " over " + other->objectName()));
            placed << control;
        }
        QCOMPARE(seen, captions);

        // Tab presses from the first control, the memo boxes included: Tab there
        // moves on, not indents.
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        const QWidget* first = QApplication::focusWidget();
        QCOMPARE((first->objectName().isEmpty() ? first->parentWidget() : first)->objectName(),
                 tabOrder.first());
        QCOMPARE(shown->minimumSize(), shown->maximumSize()); // fixed: nothing to uncover by resizing
        QStringList reached;
        for (qsizetype step = 0; step < tabOrder.size(); ++step) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus != nullptr, qPrintable(reached.join(',')));
            const QWidget* named = focus->objectName().isEmpty() ? focus->parentWidget() : focus;
            reached << named->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(reached, tabOrder);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
