// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmCheck.h"

#include "AlarmOccurrences.h"
#include "CivilMinute.h"
#include "platform/Clock.h"
#include "platform/Files.h"

#include <algorithm>
#include <chrono>

namespace scheduler {

using civil::localMinute;

AlarmCheck::AlarmCheck(const platform::Clock& clock, const platform::Files& files,
                       const store::AlarmTable& table, AlarmWindow& window)
    : m_clock(clock), m_files(files), m_table(table), m_window(window),
      m_dataIniPath(platform::dataIniPath(files))
{
}

void AlarmCheck::Timer1_Timer()
{
    // A window that calls back into the check while being shown is handled by the loop in showNext.
    if (m_state.inTick)
        return;
    if (!m_files.plainFileExists(m_dataIniPath)) {
        // The minutes without the file are not caught up later: no alarm rings while it is absent.
        m_state.lastChecked.reset();
        return;
    }
    m_state.inTick = true;
    followCount(usableCount());

    const std::int64_t now = localMinute(m_clock.now());
    std::int64_t from = now;
    std::vector<MissedAlarm> missed;
    if (m_state.lastChecked && *m_state.lastChecked < now) {
        from = *m_state.lastChecked + 1;
        // Hours late, a ring wakes nobody it was meant for: the user is told instead.
        if (now - from > catchUpMinutes) {
            missed = missedAlarms(m_table, from, now - catchUpMinutes - 1);
            // One that rang before the clock was set back is not missed.
            std::erase_if(missed, [this](const MissedAlarm& alarm) {
                return m_state.perIndex[static_cast<std::size_t>(alarm.index)].lastTaken == alarm.minute;
            });
            from = now - catchUpMinutes;
        }
    }
    collectDue(from, now);
    // Set even when the clock went back: the minutes ahead are then checked again as they come, and an
    // occurrence already taken is still recognised by its minute.
    m_state.lastChecked = now;

    showNext();
    m_state.inTick = false;
    // After the rings: a notice must not hold back an alarm that is still in time.
    if (!missed.empty() && m_missedNotice != nullptr)
        m_missedNotice->showMissed(missed);
}

void AlarmCheck::windowClosed()
{
    m_state.windowOpen = false;
    m_state.showing.reset();
    Timer1_Timer();
}

void AlarmCheck::alarmRemoved(std::int16_t index)
{
    if (index < 1)
        return;
    auto& slots = m_state.perIndex;
    const auto at = static_cast<std::size_t>(index);
    if (at < slots.size()) {
        slots.erase(slots.begin() + index);
        slots.emplace_back();
    }
    auto& waiting = m_state.waiting;
    waiting.erase(std::remove_if(waiting.begin(), waiting.end(),
                                 [index](const Occurrence& occurrence) { return occurrence.index == index; }),
                  waiting.end());
    // Moving every later index down by one keeps the queue in its order.
    for (auto& occurrence : waiting) {
        if (occurrence.index > index)
            --occurrence.index;
    }
    if (m_state.showing) {
        auto& shown = m_state.showing->index;
        if (shown == index)
            shown = 0;
        else if (shown > index)
            --shown;
    }
}

std::optional<std::int16_t> AlarmCheck::showingIndex() const
{
    if (!m_state.windowOpen || !m_state.showing || m_state.showing->index < 1)
        return std::nullopt;
    return m_state.showing->index;
}

std::size_t AlarmCheck::waitingCount() const
{
    return m_state.waiting.size();
}

std::int64_t AlarmCheck::showingLateMinutes() const
{
    if (!m_state.windowOpen || !m_state.showing)
        return 0;
    return std::max<std::int64_t>(0, localMinute(m_clock.now()) - m_state.showing->minute);
}

int AlarmCheck::usableCount() const
{
    return scheduler::usableCount(m_table);
}

void AlarmCheck::followCount(int count)
{
    auto& slots = m_state.perIndex;
    const auto wanted = static_cast<std::size_t>(count) + 1;
    if (slots.size() == wanted)
        return;
    if (slots.size() > wanted) {
        // Alarms above the new count are gone: what waited for them is dropped, not shown with whatever
        // a later alarm at the same index holds.
        auto& waiting = m_state.waiting;
        waiting.erase(
            std::remove_if(waiting.begin(), waiting.end(),
                           [count](const Occurrence& occurrence) { return occurrence.index > count; }),
            waiting.end());
        if (m_state.showing && m_state.showing->index > count)
            m_state.showing->index = 0;
    }
    slots.resize(wanted);
}

void AlarmCheck::collectDue(std::int64_t from, std::int64_t to)
{
    m_state.batch.clear();
    // The range is shorter than a day, so each alarm has at most one occurrence in it. Two captures fit
    // std::function's own storage: the tick does not allocate for them.
    const auto showing = m_state.showing ? m_state.showing->index : std::int16_t{0};
    forEachOccurrence(m_table, from, to, [this, showing](std::int16_t index, std::int64_t due) {
        Slot& slot = m_state.perIndex[static_cast<std::size_t>(index)];
        if (slot.lastTaken == due)
            return;
        slot.lastTaken = due;
        // An alarm already showing or waiting is not queued twice: the open window stands for both.
        if (slot.waiting || showing == index)
            return;
        slot.waiting = true;
        m_state.batch.push_back({due, index});
    });
    auto& batch = m_state.batch;
    if (batch.empty())
        return;
    std::sort(batch.begin(), batch.end());
    auto& waiting = m_state.waiting;
    const auto oldSize = static_cast<std::ptrdiff_t>(waiting.size());
    const bool inOrder = waiting.empty() || !(batch.front() < waiting.back());
    waiting.insert(waiting.end(), batch.begin(), batch.end());
    if (!inOrder)
        std::inplace_merge(waiting.begin(), waiting.begin() + oldSize, waiting.end());
}

void AlarmCheck::showNext()
{
    const store::AlarmTable& table = m_table;
    auto& waiting = m_state.waiting;
    // A loop, not a single step: the window may report itself closed from inside showAlarm. Whatever
    // else it does in there (a reload of the table), the count is taken again before the next one.
    while (!m_state.windowOpen && !waiting.empty()) {
        followCount(usableCount());
        if (waiting.empty())
            break;
        const Occurrence next = waiting.front();
        waiting.pop_front();
        const auto at = static_cast<std::size_t>(next.index);
        m_state.perIndex[at].waiting = false;
        // Switched off or paused while it waited: the user no longer wants it.
        if (table.AState[at] != 1 || heldByPause(table, next.minute))
            continue;
        m_state.showing = next;
        m_state.windowOpen = true;
        m_window.showAlarm(next.index, table.AMemo[at], table.ATime[at]);
    }
}

} // namespace scheduler
