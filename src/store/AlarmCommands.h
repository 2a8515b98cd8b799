// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmTable.h"
#include "ini.h"

#include <cstdint>
#include <string>
#include <vector>

// The main window's list commands as they reach Data.ini. The table is only read: the caller moves the
// snooze offsets and reloads once the file holds the change.
namespace store {

// The writes that delete alarm index: Count lowered by one, then every later alarm copied one section
// down (State, Type, Time, Memo, Sound, from the table). Time is copied as it stands in the file, never
// the normalised text, so moving an alarm does not change it. The former last section stays in the file
// beyond the new Count. Empty when index is not 1..ACount.
std::vector<ini::KeyWrite> removalWrites(const AlarmTable& table, std::int16_t index);

// Deletes alarm index from the file as one atomic replacement. False, with the file as it was, when
// index is not 1..ACount or the file could not be written.
bool removeAlarm(const AlarmTable& table, std::int16_t index, const std::string& iniPath);

// On/Off: state 1 (on) becomes 0; every other value, hand-edited ones included, becomes 1.
std::int16_t toggledState(std::int16_t state);

// Writes the toggled State of alarm index. False, with the file as it was, when index is not
// 1..ACount or the write failed.
bool writeToggledState(const AlarmTable& table, std::int16_t index, const std::string& iniPath);

} // namespace store
