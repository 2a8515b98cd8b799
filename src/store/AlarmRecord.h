// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmTable.h"
#include "ini.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One alarm's section as text, and the writes that keep Data.ini whole when another program (a script, a
// second editor, a synced folder) changes it between a load and a write.
namespace store {

// The keys of one alarm's section, each exactly as stored.
struct AlarmRecord
{
    std::string state;
    std::string type;
    std::string memo;
    std::string time;
    std::string sound;
    // Keys only some alarms have; empty means the key is absent, and writing the record removes it.
    std::string date{};
    std::string skip{};
    std::string timer{};
    std::string volume{};
    std::string fadeIn{};
    friend bool operator==(const AlarmRecord&, const AlarmRecord&) = default;
};

// The writes that store record as alarm index: State, Type, Time, Memo and Sound of section AlarmN, in
// the order the editor has always written them, so a new section reads as it always has; then Date, Skip,
// Timer, Volume and FadeIn, each set when the record has it and removed otherwise, so that a section reused
// beyond Count passes nothing of its old alarm on. An alarm without them is written byte for byte as before.
std::vector<ini::KeyWrite> recordWrites(int index, const AlarmRecord& record);

// Volume and FadeIn of record for level: each empty (no key) at its default, so that an alarm left at the
// default level is written as before these keys existed.
void setSoundLevel(AlarmRecord& record, const platform::SoundLevel& level);

// Alarm index as the table holds it: State as its number, Time as it stood in the file.
AlarmRecord tableRecord(const AlarmTable& table, std::int16_t index);

// Alarm index as Data.ini holds it now, a missing key read as empty; nullopt when the file cannot be read
// or index is not 1..Count of the file.
std::optional<AlarmRecord> readRecord(const std::string& iniPath, std::int16_t index);

enum class SaveResult {
    Saved,
    Full,     // the file already counts the most alarms an index can name
    Changed,  // the alarm is no longer the one that was loaded: nothing written
    NotSaved, // the file could not be read or written: nothing written
};

// Adds record after the file's own Count as it is at this moment, raising Count, in one replacement of
// the file, so that an alarm another program added since the last load is never written over. index
// receives the new alarm's index when Saved.
SaveResult addAlarm(const std::string& iniPath, const AlarmRecord& record, std::int16_t& index);

// Replaces alarm index by record, but only while the file still holds loaded there; otherwise Changed
// and the file stays as it is.
SaveResult changeAlarm(const std::string& iniPath, std::int16_t index, const AlarmRecord& loaded,
                       const AlarmRecord& record);

// The index at which the file now holds exactly loaded, when one alarm does (an alarm renumbered by a
// deletion elsewhere); 0 when none or several do.
std::int16_t findRecord(const std::string& iniPath, const AlarmRecord& loaded);

} // namespace store
