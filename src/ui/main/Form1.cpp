// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "AlarmRows.h"
#include "AppIcon.h"
#include "CheckTimer.h"
#include "MissedNotice.h"
#include "platform/Services.h"
#include "platform/qt/FileChangeWatch.h"
#include "scheduler/AlarmOccurrences.h"
#include "scheduler/CivilMinute.h"
#include "scheduler/DefaultSnooze.h"
#include "scheduler/Snooze.h"
#include "store/AlarmCommands.h"
#include "store/AlarmLoad.h"
#include "ui/editor/Dialog.h"
#include "ui/notify/frmalarm.h"
#include "ui/window/Messages.h"
#include "ui/window/WindowLook.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Qt 6.4 on X11 hands the Execute key over unmapped: key() 0 and the X keysym XK_Execute.
constexpr quint32 executeKeysym = 0xff62;

bool isExecuteKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Execute || (key.key() == 0 && key.nativeVirtualKey() == executeKeysym);
}

QString qt(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Form1::Form1(platform::Services& services, QWidget* parent, mainwin::TrayIcon::Availability trayAvailable,
             Controls controls)
    : QMainWindow(parent), m_services(services),
      m_alarmWindow(*this, services.files, services.dialogs, services.sounds),
      m_check(services.clock, services.files, m_table, m_alarmWindow),
      m_tray(mainwin::appIcon(), mainwin::appIcon(true), std::move(trayAvailable)),
      m_lifecycle(*this, m_tray, services.dialogs)
{
    setObjectName(QStringLiteral("Form1"));
    m_alarmWindow.setCheck(&m_check);
    m_check.setMissedNotice(new MissedNotice(services.dialogs, services.localeTime, this));

    Timer1 = new CheckTimer(services.clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // A change made elsewhere (by hand, a script, a synced folder) reaches the check within a second,
    // whether this window is shown or not.
    auto* storeWatch = new platform::FileChangeWatch(qt(iniPath()), std::chrono::milliseconds(250), this);
    connect(storeWatch, &platform::FileChangeWatch::changed, this, &Form1::reloadIfChangedElsewhere);
    connect(Timer1, &CheckTimer::timeout, this, &Form1::Timer1_Timer);
    // A closed notification can let a waiting alarm through, or end the minute's hold on an alarm.
    connect(&m_alarmWindow, &notify::AlarmWindowHost::windowClosed, Timer1, &CheckTimer::runNow);

    connect(&m_lifecycle, &mainwin::TrayLifecycle::exitRequested, this, &Form1::programEnd);
    connect(&m_tray, &mainwin::TrayIcon::ringInRequested, this, &Form1::mPopRingIn_Click);
    connect(&m_tray, &mainwin::TrayIcon::pauseRequested, this, &Form1::mPopPause_Click);
    connect(&m_tray, &mainwin::TrayIcon::resumeRequested, this, &Form1::mPopResume_Click);
    connect(&m_lifecycle, &mainwin::TrayLifecycle::restoredInSight, this, &Form1::Form_Activate);
    if (controls == Controls::AtOnce) {
        ensureControls();
        editor();
    }
}

Form1::~Form1()
{
    // The editor is a child and goes after the table it reads; nothing may reload into a table that is
    // already gone.
    if (m_editor != nullptr)
        disconnect(m_editor, nullptr, this, nullptr);
}

Dialog& Form1::editor()
{
    if (m_editor == nullptr) {
        m_editor = new Dialog(m_services, m_table, this);
        // The editor writes straight into Data.ini. Reloading when it closes, rather than waiting for the
        // main window's next activation, keeps the check on the new times even when this window is hidden.
        connect(m_editor, &Dialog::editorClosed, this, [this] { Form_Activate(); });
        connect(m_editor, &Dialog::storeChangedElsewhere, this, &Form1::Form_Activate);
    }
    return *m_editor;
}

void Form1::ensureControls()
{
    if (ListView1 != nullptr)
        return;
    buildControls();
    if (m_loaded)
        FillAlarmList();
}

void Form1::setVisible(bool visible)
{
    if (visible)
        ensureControls();
    QMainWindow::setVisible(visible);
}

std::string Form1::iniPath() const
{
    return platform::dataIniPath(m_services.files);
}

void Form1::Form_Load()
{
    // Qt delivers the activation of a shown window later, through the event loop, and a window shown
    // only to be hidden again flashes on the screen; the first load therefore runs here directly.
    Form_Activate();
    m_lifecycle.start();
    // Built before the first look for a notification area, the window may show the line it needs without.
    if (ListView1 != nullptr)
        showPresence(!m_tray.isAvailable());
    Timer1->start();
}

void Form1::Form_Activate()
{
    // The Start at login box shows what the desktop will do, which its own settings may have changed.
    m_tray.refreshStartAtLogin();
    // Taken before the read: a change made while the file is read shows as a change next time.
    const platform::FileStamp stamp = m_services.files.stamp(iniPath());
    if (!store::loadAlarmTable(m_table, iniPath(), m_services.files, m_services.localeTime))
        return;
    m_loadedStamp = stamp;
    m_loaded = true;
    FillAlarmList();
    Timer1->runNow();
}

std::int64_t Form1::today() const
{
    using namespace scheduler::civil;
    return floorDiv(localMinute(m_services.clock.now()), minutesPerDay);
}

bool Form1::dataChangedSinceLoad() const
{
    // With no Data.ini there is nothing to reload from; a command then goes ahead on what it has.
    const platform::FileStamp now = m_services.files.stamp(iniPath());
    return now.exists && now != m_loadedStamp;
}

void Form1::reloadIfChangedElsewhere()
{
    // Our own writes are followed by a reload already; a vanished file keeps the table as it was.
    if (m_services.files.stamp(iniPath()) != m_loadedStamp)
        Form_Activate();
}

bool Form1::reloadedStaleTable()
{
    if (!dataChangedSinceLoad())
        return false;
    // The user sees the file as it is now and can repeat the command on it.
    Form_Activate();
    return true;
}

void Form1::FillAlarmList()
{
    if (ListView1 == nullptr)
        return; // filled when the window is first shown
    m_listDay = today();
    const std::int16_t selected = selectedIndex();
    ListView1->clear();
    ListView1->setHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Alarm"), QStringLiteral("Days"), QStringLiteral("State")});
    // The width the columns share: the list's inside, without its frame and scroll bars. The last column
    // stretches, so it gives way to a vertical scroll bar instead of causing a horizontal one. An eighth
    // is too narrow for "12:00:00 PM" in some fonts; the Time column then takes what it needs from Days,
    // which has room to spare even with all seven days.
    const auto rows = mainwin::alarmRows(m_table, m_services.localeTime, today());
    // A skip makes the State column's text long: Alarm and Days give it what it needs, up to a quarter.
    int state = 0;
    // The view's text margins, and room for the letter its elision would take.
    const int margin = 2 * ListView1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) +
                       2 * ListView1->fontMetrics().averageCharWidth();
    for (const auto& row : rows)
        state = std::max(state, ListView1->fontMetrics().horizontalAdvance(qt(row.state)) + margin);
    const int width = ListView1->maximumViewportSize().width();
    const int time = std::clamp(timeColumnWidth(), width / 8, width / 8 + width * 3 / 16);
    const int stateExtra = std::clamp(state - (width - width / 8 - 2 * (width * 3 / 8)), 0, width / 4);
    ListView1->header()->resizeSection(0, time);
    ListView1->header()->resizeSection(1, width * 3 / 8 - stateExtra / 2);
    ListView1->header()->resizeSection(2, width * 3 / 8 - (time - width / 8) - (stateExtra - stateExtra / 2));
    ListView1->header()->resizeSection(3, width - width / 8 - 2 * (width * 3 / 8) + stateExtra);

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& row : rows)
        items.append(new QTreeWidgetItem({qt(row.time), qt(row.memo), qt(row.days), qt(row.state)}));
    ListView1->addTopLevelItems(items);

    // A reload (switching back from another window, an On/Off) keeps the row the user was on.
    if (selected >= 1 && selected <= ListView1->topLevelItemCount())
        ListView1->setCurrentItem(ListView1->topLevelItem(selected - 1));
}

int Form1::timeColumnWidth()
{
    if (m_timeColumnWidth < 0) {
        const QFontMetrics metrics = ListView1->fontMetrics();
        int widest = 0;
        for (int hour = 0; hour < 24; ++hour)
            widest = std::max(
                widest, metrics.horizontalAdvance(qt(m_services.localeTime.longTimeText({hour, 58, 58}))));
        // The item view's text margin on each side, and a pixel for rounding.
        const int margin =
            ListView1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) + 1;
        m_timeColumnWidth = widest + 2 * margin + 1;
    }
    return m_timeColumnWidth;
}

std::int16_t Form1::selectedIndex() const
{
    if (ListView1 == nullptr)
        return 0;
    const auto selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return 0;
    return static_cast<std::int16_t>(ListView1->indexOfTopLevelItem(selected.first()) + 1);
}

void Form1::Command1_Click()
{
    editor().openNew();
}

void Form1::Command2_Click()
{
    const std::int16_t k = selectedIndex();
    if (k == 0 || reloadedStaleTable())
        return;
    editor().Modi(k);
}

void Form1::Command3_Click()
{
    const std::int16_t k = selectedIndex();
    if (k == 0 || reloadedStaleTable())
        return;
    RemoveAlarm(k);
}

void Form1::RemoveAlarm(std::int16_t Index)
{
    if (Index < 1 || Index > m_table.ACount)
        return;
    if (!store::removeAlarm(m_table, Index, iniPath(), today())) {
        platform::showError(m_services.dialogs, messages::changeNotSaved);
        return;
    }
    followRemoval(Index);
    Form_Activate();
    // Nothing stays selected, so a second press of Delete cannot take the next alarm with it.
    if (ListView1 != nullptr) {
        ListView1->clearSelection();
        ListView1->setCurrentItem(nullptr);
    }
}

void Form1::cmdOnOff_Click()
{
    const std::int16_t k = selectedIndex();
    if (k == 0 || reloadedStaleTable())
        return;
    if (!store::writeToggledState(m_table, k, iniPath())) {
        platform::showError(m_services.dialogs, messages::changeNotSaved);
        return;
    }
    // A snooze pending for the alarm goes with the old state.
    scheduler::SetSnoozeValue(m_table, k, 0, 0, false);
    Form_Activate();
}

void Form1::cmdSet_Click()
{
    std::string text = cmbtime->currentText().toStdString();
    const bool tableCurrent = !dataChangedSinceLoad();
    switch (scheduler::storeDefaultSnooze(text, iniPath())) {
    case scheduler::DefaultSnoozeResult::Stored:
        // The table holds no default snooze, so it is still the file's; a list command after Set must
        // not take this write for a change made behind the program's back.
        if (tableCurrent)
            m_loadedStamp = m_services.files.stamp(iniPath());
        break;
    case scheduler::DefaultSnoozeResult::InvalidDuration:
        platform::showError(m_services.dialogs, messages::invalidDuration);
        break;
    case scheduler::DefaultSnoozeResult::NotSaved:
        platform::showError(m_services.dialogs, messages::changeNotSaved);
        break;
    }
    // The check's repair ("00" for a missing part) stays in the box whether or not the text passed.
    const QString repaired = qt(text);
    if (repaired != cmbtime->currentText())
        cmbtime->setEditText(repaired);
}

bool Form1::cmbtime_KeyDown(const QKeyEvent& key)
{
    if (isExecuteKey(key)) {
        cmdSet_Click();
        return true;
    }
    // Enter stores nothing and must not reach a default button either.
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && cmbtime != nullptr &&
        (watched == cmbtime || watched == static_cast<QObject*>(cmbtime->lineEdit())))
        return cmbtime_KeyDown(*static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

void Form1::Timer1_Timer()
{
    m_check.Timer1_Timer();
    prepareForRing();
    showNextAlarm();
}

void Form1::prepareForRing()
{
    const auto now = scheduler::civil::localMinute(m_services.clock.now());
    const auto next = scheduler::nextDueMinute(m_table, now);
    // A ring due this minute is this check's own: what it needs is made as it rings.
    if (!next || *next <= now || *next > now + 2)
        return;
    // Every change to the alarms runs the check, so a ring moved close is seen too.
    m_services.sounds.prepare();
    if (m_fontsReady)
        return;
    // Qt reads the system's font list on the first use of any font, most of a second here, and keeps it:
    // read at start, it would weigh on the program all the time it idles. Read at the check before a
    // ring, it is ready a minute ahead.
    notify::frmalarm::prepareFonts();
    m_fontsReady = true;
}

void Form1::SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment)
{
    scheduler::SetSnoozeValue(m_table, Index, SVH, SVM, Increment);
    // OK on a one-off's ring is its last answer, after however many snoozes.
    if (!Increment && SVH == 0 && SVM == 0 && m_table.has(Index) &&
        m_table.APlan[static_cast<std::size_t>(Index)].date)
        retireOneOff(Index);
    Timer1->runNow();
}

bool Form1::AlarmSoundPresent(std::int16_t Index) const
{
    return !GetASound(Index).empty();
}

std::string Form1::GetASound(std::int16_t Index) const
{
    return m_table.has(Index) ? m_table.ASound[static_cast<std::size_t>(Index)] : std::string();
}

platform::SoundLevel Form1::soundLevel(std::int16_t Index) const
{
    return m_table.has(Index) ? m_table.APlan[static_cast<std::size_t>(Index)].level : platform::SoundLevel();
}

void Form1::mPopRestore_Click()
{
    m_lifecycle.restore();
}

void Form1::mPopExit_Click()
{
    m_lifecycle.exit();
}

bool Form1::event(QEvent* event)
{
    // Coming back from another program: a hand edit made there shows, but an unchanged file leaves the
    // list (and where it was scrolled to) alone.
    if (event->type() == QEvent::WindowActivate && dataChangedSinceLoad())
        Form_Activate();
    return QMainWindow::event(event);
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form1::Form_Resize()
{
    if (isMinimized())
        m_lifecycle.minimised();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing never ends the program by itself: the window goes away and the alarms keep ringing.
    event->ignore();
    if (m_lifecycle.closeRequested())
        mPopExit_Click();
}

void Form1::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        ui::centreOn(*this, screen());
    }
    QMainWindow::showEvent(event);
    // Qt may still count a window hidden a moment ago as the active one, and then no activation follows
    // its showing: the list is brought up to date here, each time the window comes back into sight. A
    // window shown minimised is not in sight yet; un-minimising it sends a show event of its own.
    if (m_outOfSight && !isMinimized()) {
        m_outOfSight = false;
        Form_Activate();
    }
}

void Form1::hideEvent(QHideEvent* event)
{
    // Also sent when the window is minimised.
    m_outOfSight = true;
    QMainWindow::hideEvent(event);
}
