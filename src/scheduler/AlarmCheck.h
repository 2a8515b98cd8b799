#pragma once

#include "AlarmWindow.h"
#include "store/AlarmTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {
class Clock;
class Files;
} // namespace platform

namespace scheduler {

// Decides which alarms are due and hands each due occurrence (an alarm and the minute it is due in) to
// the notification window exactly once. One window at a time: occurrences that come due while another
// alarm shows wait, in the order they came due, and are shown as the window closes.
// Calling Timer1_Timer more or less often never changes what rings.
class AlarmCheck
{
public:
    AlarmCheck(const platform::Clock& clock, const platform::Files& files, const store::AlarmTable& table,
               AlarmWindow& window);

    // One tick: nothing while Data.ini is absent; otherwise every switched-on alarm against the clock.
    void Timer1_Timer();
    // The notification window was closed by OK or Snooze: the next waiting occurrence is shown now.
    void windowClosed();
    // Alarm index was deleted and the later alarms moved down by one: its showing or waiting occurrence
    // is dropped, those of the later alarms move with them.
    void alarmRemoved(std::int16_t index);

    std::optional<std::int16_t> showingIndex() const;
    std::size_t waitingCount() const;

private:
    struct State;
    const platform::Clock& m_clock;
    const platform::Files& m_files;
    const store::AlarmTable& m_table;
    AlarmWindow& m_window;
};

} // namespace scheduler
