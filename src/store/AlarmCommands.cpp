// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmCommands.h"

#include "text/IsoDate.h"

namespace store {

std::vector<ini::KeyWrite> removalWrites(const AlarmTable& table, std::int16_t index, std::int64_t today)
{
    // Every later alarm moves down, so the table must hold them all.
    if (!table.has(index) || !table.has(table.ACount))
        return {};
    std::vector<ini::KeyWrite> writes;
    writes.push_back({"Alarm", "Count", std::to_string(table.ACount - 1)});
    for (int i = index; i < table.ACount; ++i) {
        const AlarmRecord moved =
            withoutPastSkip(tableRecord(table, static_cast<std::int16_t>(i + 1)), today);
        for (auto& write : recordWrites(i, moved))
            writes.push_back(std::move(write));
    }
    return writes;
}

bool removeAlarm(const AlarmTable& table, std::int16_t index, const std::string& iniPath, std::int64_t today)
{
    const auto writes = removalWrites(table, index, today);
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

AlarmRecord withoutPastSkip(AlarmRecord record, std::int64_t today)
{
    if (const auto day = text::parseIsoDate(record.skip); day && *day < today)
        record.skip.clear();
    return record;
}

bool writeSkip(const AlarmTable& table, std::int16_t index, std::optional<std::int64_t> day,
               const std::string& iniPath)
{
    if (!table.has(index))
        return false;
    return ini::WriteIniKeys(iniPath, {{alarmSection(index), "Skip", day ? text::isoDate(*day) : "", !day}});
}

bool writePause(const std::string& iniPath, std::optional<std::int64_t> day)
{
    return ini::WriteIniKeys(iniPath, {{"Alarm", "PauseUntil", day ? text::isoDate(*day) : "", !day}});
}

bool retireOneOff(const AlarmTable& table, std::int16_t index, const std::string& iniPath, std::int64_t today)
{
    if (!table.has(index) || !table.APlan[static_cast<std::size_t>(index)].date)
        return false;
    if (table.APlan[static_cast<std::size_t>(index)].removeWhenAnswered)
        return removeAlarm(table, index, iniPath, today);
    return ini::WriteIni(iniPath, alarmSection(index), "State", "0");
}

} // namespace store
