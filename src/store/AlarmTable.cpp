// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmTable.h"

#include <algorithm>

namespace store {

std::string alarmSection(int index)
{
    return "Alarm" + std::to_string(index);
}

bool AlarmTable::has(std::int16_t index) const
{
    const auto at = static_cast<std::size_t>(index);
    const std::size_t shortest =
        std::min({AType.size(), AMemo.size(), ATime.size(), ASound.size(), AState.size(), ASnoozeH.size(),
                  ASnoozeM.size(), AStoredTime.size(), AClock.size(), APlan.size()});
    return index >= 1 && index <= ACount && at < shortest;
}

void AlarmTable::resize(std::int16_t count)
{
    const auto size = static_cast<std::size_t>(std::max<std::int16_t>(count, 0)) + 1;
    AType.assign(size, std::string());
    AMemo.assign(size, std::string());
    ATime.assign(size, std::string());
    ASound.assign(size, std::string());
    AState.assign(size, 0);
    AStoredTime.assign(size, std::string());
    AClock.assign(size, AlarmClockTime{});
    APlan.assign(size, AlarmPlan{});
    ASnoozeH.resize(size, 0);
    ASnoozeM.resize(size, 0);
}

void AlarmTable::removeOffsetsAt(std::int16_t index)
{
    const auto at = static_cast<std::size_t>(index);
    if (index < 1 || at >= ASnoozeH.size() || at >= ASnoozeM.size())
        return;
    ASnoozeH.erase(ASnoozeH.begin() + index);
    ASnoozeM.erase(ASnoozeM.begin() + index);
    ASnoozeH.push_back(0);
    ASnoozeM.push_back(0);
}

} // namespace store
