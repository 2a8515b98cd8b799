// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store {

// The hour and minute of an alarm's time, taken once at load so that the check never parses text.
struct AlarmClockTime
{
    bool valid = false; // false: the stored time is no time of day and the alarm never rings
    int hour = 0;
    int minute = 0;
};

// What an alarm holds beyond its weekly ring, each from a key of its own that an alarm without it does not
// have. Days count from 1970-01-01, as the scheduler's local minutes do.
struct AlarmPlan
{
    std::optional<std::int64_t> date; // Date: a one-off that rings on this day only, whatever Type says
    std::optional<std::int64_t> skip; // Skip: the occurrence whose own day this is does not ring
    bool removeWhenAnswered = false;  // Timer: added by "Ring in...", gone once answered
    platform::SoundLevel level;       // Volume and FadeIn
    // The keys exactly as stored, empty when absent: moving or rewriting an alarm keeps them as they
    // stand, a text that is no date included.
    std::string storedDate;
    std::string storedSkip;
    std::string storedTimer;
    std::string storedVolume;
    std::string storedFadeIn;
};

// The in-memory projection of Data.ini. Every array is indexed by the alarm index 1..ACount (element 0
// is unused), the same number as the file's section AlarmN and the list's row.
struct AlarmTable
{
    std::int16_t ACount = 0;
    std::vector<std::string> AType; // day set, digits "1" (Sunday) .. "7" (Saturday); others are ignored
    std::vector<std::string> AMemo;
    std::vector<std::string> ATime;     // normalised time text (the stored text when it is no time)
    std::vector<std::string> ASound;    // empty: the default sound
    std::vector<std::int16_t> AState;   // 1 = on, anything else = off
    std::vector<std::int16_t> ASnoozeH; // snooze offsets: memory only, kept by index across loads
    std::vector<std::int16_t> ASnoozeM;

    std::vector<std::string> AStoredTime; // Time exactly as it stands in the file
    std::vector<AlarmClockTime> AClock;   // hour and minute of ATime
    std::vector<AlarmPlan> APlan;
    // PauseUntil of the settings section: no alarm rings before this day begins.
    std::optional<std::int64_t> pauseUntil;

    // True for an alarm of the table: index 1..ACount and held by every array. A window may still hold an
    // index that a deletion took away, and a table being rebuilt may count more alarms than it holds.
    bool has(std::int16_t index) const;

    // Sizes every array for count alarms (element 0 unused). The offsets of the alarms that remain keep
    // their values and new ones start at 0; the other arrays start empty, for the load to fill.
    void resize(std::int16_t count);

    // An alarm at index was removed from the file and the later ones moved down by one: drop its
    // offsets and move the later offsets down with their alarms.
    void removeOffsetsAt(std::int16_t index);
};

// The section of an alarm in Data.ini: "Alarm" and the index in decimal, no leading zeros ("Alarm10").
std::string alarmSection(int index);

} // namespace store
