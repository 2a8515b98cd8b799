#include "Form1.h"

#include "CheckTimer.h"
#include "platform/Services.h"
#include "scheduler/Snooze.h"
#include "store/AlarmLoad.h"

#include <QEvent>

Form1::Form1(platform::Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services),
      m_alarmWindow(*this, services.files, services.dialogs, services.sounds),
      m_check(services.clock, services.files, m_table, m_alarmWindow)
{
    setObjectName("Form1");
    setWindowTitle("Wakery");
    m_alarmWindow.setCheck(&m_check);

    Timer1 = new CheckTimer(services.clock, this);
    Timer1->setObjectName("Timer1");
    Timer1->watchStore(QString::fromStdString(platform::dataIniPath(services.files)));
    connect(Timer1, &CheckTimer::timeout, this, &Form1::Timer1_Timer);
    // A closed notification can let a waiting alarm through, or end the minute's hold on an alarm.
    connect(&m_alarmWindow, &notify::AlarmWindowHost::windowClosed, Timer1, &CheckTimer::runNow);
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    show();
    // Qt delivers the activation of a shown window later, through the event loop; the alarms must be in
    // the table before the check starts, so the first load does not wait for it.
    Form_Activate();
    hide();
    setWindowState(Qt::WindowMinimized);
    Timer1->start();
}

void Form1::Form_Activate()
{
    store::loadAlarmTable(m_table, platform::dataIniPath(m_services.files), m_services.files,
                          m_services.localeTime);
    Timer1->runNow();
}

bool Form1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void Form1::Timer1_Timer()
{
    m_check.Timer1_Timer();
}

void Form1::SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment)
{
    scheduler::SetSnoozeValue(m_table, Index, SVH, SVM, Increment);
    Timer1->runNow();
}

bool Form1::AlarmSoundPresent(std::int16_t Index) const
{
    const auto at = static_cast<std::size_t>(Index);
    return Index >= 1 && Index <= m_table.ACount && at < m_table.ASound.size() && !m_table.ASound[at].empty();
}

std::string Form1::GetASound(std::int16_t Index) const
{
    const auto at = static_cast<std::size_t>(Index);
    if (Index < 1 || Index > m_table.ACount || at >= m_table.ASound.size())
        return {};
    return m_table.ASound[at];
}
