// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmRecord.h"

#include "AlarmLoad.h"
#include "IniDocument.h"

#include <limits>

namespace store {
namespace {

struct FileNow
{
    IniDocument document;
    bool readable = false;
};

FileNow readFile(const std::string& iniPath)
{
    IniDocument::Source source;
    IniDocument document = IniDocument::fromFile(iniPath, source);
    return {std::move(document), source != IniDocument::Source::Unreadable};
}

AlarmRecord recordIn(const IniDocument& document, std::int16_t index)
{
    const auto section = document.findSection(alarmSection(index));
    const std::string none;
    return {document.read(section, "State", none),  document.read(section, "Type", none),
            document.read(section, "Memo", none),   document.read(section, "Time", none),
            document.read(section, "Sound", none),  document.read(section, "Date", none),
            document.read(section, "Skip", none),   document.read(section, "Timer", none),
            document.read(section, "Volume", none), document.read(section, "FadeIn", none)};
}

std::int16_t countIn(const IniDocument& document)
{
    return countFromText(document.read("Alarm", "Count", "0"));
}

} // namespace

std::vector<ini::KeyWrite> recordWrites(int index, const AlarmRecord& record)
{
    const std::string section = alarmSection(index);
    std::vector<ini::KeyWrite> writes{{section, "State", record.state},
                                      {section, "Type", record.type},
                                      {section, "Time", record.time},
                                      {section, "Memo", record.memo},
                                      {section, "Sound", record.sound}};
    for (const auto& [key, value] : {std::pair{"Date", &record.date},
                                     {"Skip", &record.skip},
                                     {"Timer", &record.timer},
                                     {"Volume", &record.volume},
                                     {"FadeIn", &record.fadeIn}})
        writes.push_back({section, key, *value, value->empty()});
    return writes;
}

AlarmRecord tableRecord(const AlarmTable& table, std::int16_t index)
{
    const auto at = static_cast<std::size_t>(index);
    const AlarmPlan& plan = table.APlan[at];
    return {std::to_string(table.AState[at]),
            table.AType[at],
            table.AMemo[at],
            table.AStoredTime[at],
            table.ASound[at],
            plan.storedDate,
            plan.storedSkip,
            plan.storedTimer,
            plan.storedVolume,
            plan.storedFadeIn};
}

void setSoundLevel(AlarmRecord& record, const platform::SoundLevel& level)
{
    const platform::SoundLevel defaults;
    record.volume = level.volume == defaults.volume ? "" : std::to_string(level.volume);
    record.fadeIn = level.fadeInSeconds == defaults.fadeInSeconds ? "" : std::to_string(level.fadeInSeconds);
}

std::optional<AlarmRecord> readRecord(const std::string& iniPath, std::int16_t index)
{
    const FileNow file = readFile(iniPath);
    if (!file.readable || index < 1 || index > countIn(file.document))
        return std::nullopt;
    return recordIn(file.document, index);
}

SaveResult addAlarm(const std::string& iniPath, const AlarmRecord& record, std::int16_t& index)
{
    const FileNow file = readFile(iniPath);
    if (!file.readable)
        return SaveResult::NotSaved;
    const std::int16_t count = countIn(file.document);
    if (count >= std::numeric_limits<std::int16_t>::max())
        return SaveResult::Full;
    const auto added = static_cast<std::int16_t>(count + 1);
    std::vector<ini::KeyWrite> writes{{"Alarm", "Count", std::to_string(added)}};
    for (auto& write : recordWrites(added, record))
        writes.push_back(std::move(write));
    if (!ini::WriteIniKeys(iniPath, writes))
        return SaveResult::NotSaved;
    index = added;
    return SaveResult::Saved;
}

SaveResult changeAlarm(const std::string& iniPath, std::int16_t index, const AlarmRecord& loaded,
                       const AlarmRecord& record)
{
    const FileNow file = readFile(iniPath);
    if (!file.readable)
        return SaveResult::NotSaved;
    if (index < 1 || index > countIn(file.document) || recordIn(file.document, index) != loaded)
        return SaveResult::Changed;
    return ini::WriteIniKeys(iniPath, recordWrites(index, record)) ? SaveResult::Saved : SaveResult::NotSaved;
}

std::int16_t findRecord(const std::string& iniPath, const AlarmRecord& loaded)
{
    const FileNow file = readFile(iniPath);
    if (!file.readable)
        return 0;
    std::int16_t found = 0;
    const std::int16_t count = countIn(file.document);
    for (int i = 1; i <= count; ++i) {
        if (recordIn(file.document, static_cast<std::int16_t>(i)) != loaded)
            continue;
        if (found != 0)
            return 0;
        found = static_cast<std::int16_t>(i);
    }
    return found;
}

} // namespace store
