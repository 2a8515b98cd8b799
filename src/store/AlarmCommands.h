// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmRecord.h"
#include "AlarmTable.h"
#include "ini.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The main window's list commands as they reach Data.ini. The table is only read: the caller moves the
// snooze offsets and reloads once the file holds the change.
namespace store {

// The writes that delete alarm index: Count lowered by one, then every later alarm copied one section
// down (its record from the table, a Skip before today dropped). Time is copied as it stands in the
// file, never the normalised text, so moving an alarm does not change it. The former last section stays
// in the file beyond the new Count. Empty when index is not 1..ACount.
std::vector<ini::KeyWrite> removalWrites(const AlarmTable& table, std::int16_t index, std::int64_t today);

// Deletes alarm index from the file as one atomic replacement. False, with the file as it was, when
// index is not 1..ACount or the file could not be written.
bool removeAlarm(const AlarmTable& table, std::int16_t index, const std::string& iniPath, std::int64_t today);

// A Skip of a day before today has done its work and is not written again.
AlarmRecord withoutPastSkip(AlarmRecord record, std::int64_t today);

// Sets Skip of alarm index to day, or removes it with nullopt. False, with the file as it was, when
// index is not 1..ACount or the write failed.
bool writeSkip(const AlarmTable& table, std::int16_t index, std::optional<std::int64_t> day,
               const std::string& iniPath);

// Sets PauseUntil of the settings section to day, or removes it with nullopt. False when not written.
bool writePause(const std::string& iniPath, std::optional<std::int64_t> day);

// A one-off alarm was answered (OK, or the end of its snoozes): one added by "Ring in..." is deleted, any
// other switched off, and stays in the list. False, with the file as it was, when index is no one-off
// of the table or the write failed.
bool retireOneOff(const AlarmTable& table, std::int16_t index, const std::string& iniPath,
                  std::int64_t today);

// On/Off: state 1 (on) becomes 0; every other value, hand-edited ones included, becomes 1.
std::int16_t toggledState(std::int16_t state);

// Writes the toggled State of alarm index. False, with the file as it was, when index is not
// 1..ACount or the write failed.
bool writeToggledState(const AlarmTable& table, std::int16_t index, const std::string& iniPath);

} // namespace store
