// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmCommands.h"

#include "AlarmRecord.h"

namespace store {

std::vector<ini::KeyWrite> removalWrites(const AlarmTable& table, std::int16_t index)
{
    // Every later alarm moves down, so the table must hold them all.
    if (!table.has(index) || !table.has(table.ACount))
        return {};
    std::vector<ini::KeyWrite> writes;
    writes.push_back({"Alarm", "Count", std::to_string(table.ACount - 1)});
    for (int i = index; i < table.ACount; ++i) {
        for (auto& write : recordWrites(i, tableRecord(table, static_cast<std::int16_t>(i + 1))))
            writes.push_back(std::move(write));
    }
    return writes;
}

bool removeAlarm(const AlarmTable& table, std::int16_t index, const std::string& iniPath)
{
    const auto writes = removalWrites(table, index);
    return !writes.empty() && ini::WriteIniKeys(iniPath, writes);
}

std::int16_t toggledState(std::int16_t state)
{
    return state == 1 ? 0 : 1;
}

bool writeToggledState(const AlarmTable& table, std::int16_t index, const std::string& iniPath)
{
    if (!table.has(index))
        return false;
    const std::int16_t state = toggledState(table.AState[static_cast<std::size_t>(index)]);
    return ini::WriteIni(iniPath, alarmSection(index), "State", std::to_string(state));
}

} // namespace store
