// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the fakes over a fresh Data.ini, driven as the user does: rows selected, buttons
// clicked, the icon's menu items chosen by their letters, the clock moved and the ringing window answered.
#include "FakeServices.h"
#include "ui/main/CheckTimer.h"
#include "ui/main/Form1.h"
#include "ui/main/TrayIcon.h"
#include "ui/notify/frmalarm.h"

#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

struct MainWindow : FakeServices
{
    // The offscreen platform has no notification area, so its coming and going is played.
    explicit MainWindow(const std::string& data, bool withTray = true) : tray(withTray)
    {
        folder.write("Data.ini", data);
    }
    bool tray;
    Form1 form{services, nullptr, [this] { return tray; }};

    template <typename T> T* find(const char* name) const { return form.findChild<T*>(name); }
    QTreeWidget* list() const { return find<QTreeWidget>("ListView1"); }
    QStringList column(int column) const
    {
        QStringList cells;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            cells << list()->topLevelItem(i)->text(column);
        return cells;
    }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row - 1)); }
    void click(const char* button, int row = 0) const // row 0: nothing selected
    {
        if (row > 0)
            select(row);
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    // The icon's menu, and the item's underlined letter pressed; answer fills the dialog it opens.
    void choose(char letter, const std::function<void(QDialog&)>& answer = {})
    {
        bool answered = !answer;
        auto* menu = qobject_cast<QMenu*>(form.trayIcon().exitAction()->parent());
        menu->popup({});
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        if (answer)
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog != nullptr);
                answer(*dialog);
                answered = true;
            });
        QTest::keyClick(menu, letter);
        QTRY_VERIFY(!menu->isVisible());
        QTRY_VERIFY(answered);
    }
    // The clock moved on, and the minute's check run.
    void at(int day, int hour, int minute)
    {
        clock.set(2026, 12, day, hour, minute);
        form.Timer1->runNow();
    }
    QString ringing()
    {
        const auto* shown = form.alarmWindow().current();
        return shown != nullptr && shown->isVisible() ? shown->txtMemo->toPlainText() : QString();
    }
    void answer(const char* button)
    {
        QTest::mouseClick(form.alarmWindow().current()->findChild<QPushButton*>(button), Qt::LeftButton);
    }
};
