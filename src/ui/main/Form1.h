#pragma once

#include "scheduler/AlarmCheck.h"
#include "store/AlarmTable.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/notify/AlarmWindowHost.h"

#include <QMainWindow>

#include <cstdint>
#include <string>

namespace platform {
struct Services;
}

class CheckTimer;

// The program's main window: it owns the alarm table, reloads it whenever it is activated, and runs the
// alarm check on its Timer1.
class Form1 : public QMainWindow, public notify::AlarmOwner
{
    Q_OBJECT
public:
    explicit Form1(platform::Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: load the alarms through the first activation, hide, and start the check.
    void Form_Load();
    void Form_Activate();

    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM,
                        bool Increment = false) override;
    bool AlarmSoundPresent(std::int16_t Index) const override;
    std::string GetASound(std::int16_t Index) const override;

    const store::AlarmTable& alarmTable() const { return m_table; }
    notify::AlarmWindowHost& alarmWindow() { return m_alarmWindow; }

    CheckTimer* Timer1 = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void Timer1_Timer();

    platform::Services& m_services;
    store::AlarmTable m_table;
    notify::AlarmWindowHost m_alarmWindow;
    scheduler::AlarmCheck m_check;
};
