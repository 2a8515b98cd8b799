// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scheduler {

// The duration check of both windows' duration boxes. Text (a copy of the box's text) comes back trimmed
// of blanks and upper-cased; boxText is the box's own text, which gets "00" in front of a missing hours
// part or after a missing minutes part, and keeps that repair even when the text then proves invalid.
// True for hours 0..12 and minutes 0..59, each at most two characters, around the first colon. A part
// is a whole number only when it is ASCII digits with blanks around them: a sign or a decimal point
// ("+5", "1.") makes the text invalid, so an accepted box always reads back as H:MM.
bool ValidDuration(std::string& Text, std::string& boxText);

struct SnoozeDuration
{
    std::int16_t hours = 0;
    std::int16_t minutes = 0;
    friend bool operator==(const SnoozeDuration&, const SnoozeDuration&) = default;
};

// The hours and minutes of a box text that ValidDuration accepted, read after its repair (blanks around
// the text and around either part allowed, as the repair may leave "00 :30"). nullopt for any text that
// is no duration of 0:00 to 12:59.
std::optional<SnoozeDuration> snoozeDurationOf(const std::string& boxText);

} // namespace scheduler
