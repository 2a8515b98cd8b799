#include "AlarmTable.h"

namespace store {

std::string alarmSection(int index)
{
    return "Alarm" + std::to_string(index);
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
