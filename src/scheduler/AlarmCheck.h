// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmWindow.h"
#include "MissedAlarms.h"
#include "store/AlarmTable.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Clock;
class Files;
} // namespace platform

namespace scheduler {

// Decides which alarms are due and hands each due occurrence (an alarm and the minute it is due in) to
// the notification window exactly once. One window at a time: occurrences that come due while another
// alarm shows wait, in the order they came due, and are shown as the window closes.
// Calling Timer1_Timer more or less often never changes what rings.
//
// Which alarm is due in which minute is forEachOccurrence's rule (AlarmOccurrences.h). Minutes carry into
// hours and past midnight, and the weekday is that of the alarm's own time: Friday 23:58 snoozed for
// 0:05 rings at 0:03 on Saturday as Friday's ring.
//
// The check keeps its own state by alarm index, as the table keeps the snooze offsets: it survives
// reloads of the table, indexes above a smaller ACount are forgotten at the next tick, and a deletion
// must be reported through alarmRemoved.
class AlarmCheck
{
public:
    AlarmCheck(const platform::Clock& clock, const platform::Files& files, const store::AlarmTable& table,
               AlarmWindow& window);
    AlarmCheck(const AlarmCheck&) = delete;
    AlarmCheck& operator=(const AlarmCheck&) = delete;

    // One tick: nothing while Data.ini is absent; otherwise every switched-on alarm against the clock,
    // then the oldest waiting occurrence is shown if no window is open. Minutes that passed without a
    // tick (a stalled program, a short suspend, the hour skipped when summer time starts) are checked
    // too: those up to catchUpMinutes late ring, older ones go to the missed notice.
    void Timer1_Timer();
    void setMissedNotice(MissedAlarmNotice* notice) { m_missedNotice = notice; }
    // The notification window was closed by OK or Snooze: the next waiting occurrence is shown now.
    // The window counts as open from showAlarm until this call, even when its alarm was deleted.
    void windowClosed();
    // Alarm index was deleted and the later alarms moved down by one: its showing or waiting occurrence
    // is dropped, those of the later alarms move with them. Call it together with
    // AlarmTable::removeOffsetsAt, before the next tick.
    void alarmRemoved(std::int16_t index);

    // The index of the alarm the open window shows; nullopt when no window is open or when its alarm was
    // deleted (or dropped by a reload) while it showed, so that OK and Snooze touch no other alarm.
    std::optional<std::int16_t> showingIndex() const;
    std::size_t waitingCount() const;
    // Whole minutes from the start of the showing occurrence's minute to now: 0 while it rings within its
    // own minute, more when it waited behind another alarm or was left ringing. Snoozing adds this, so
    // that the next ring comes the chosen duration after the press (see snoozeFromPress).
    std::int64_t showingLateMinutes() const;

    static constexpr std::int64_t catchUpMinutes = 120;

private:
    struct Occurrence
    {
        std::int64_t minute = 0; // local minutes since 1970-01-01 00:00
        std::int16_t index = 0;  // 0: the alarm was deleted while its occurrence showed
        friend bool operator<(const Occurrence& a, const Occurrence& b)
        {
            return a.minute != b.minute ? a.minute < b.minute : a.index < b.index;
        }
    };
    struct Slot // per alarm index
    {
        std::int64_t lastTaken = std::numeric_limits<std::int64_t>::min(); // minute of the last occurrence
        bool waiting = false;
    };
    struct State
    {
        std::vector<Slot> perIndex{1}; // indexed like the table; element 0 unused
        std::deque<Occurrence> waiting;
        std::vector<Occurrence> batch; // kept to avoid allocating on every tick
        std::optional<Occurrence> showing;
        bool windowOpen = false;
        std::optional<std::int64_t> lastChecked; // last minute a tick checked, while Data.ini existed
        bool inTick = false;
    };

    int usableCount() const;
    void followCount(int count);
    void collectDue(std::int64_t from, std::int64_t to);
    void showNext();

    const platform::Clock& m_clock;
    const platform::Files& m_files;
    const store::AlarmTable& m_table;
    AlarmWindow& m_window;
    // Built once: the program's folder does not change while it runs, and the tick should not allocate.
    const std::string m_dataIniPath;
    State m_state;
    MissedAlarmNotice* m_missedNotice = nullptr;
};

} // namespace scheduler
