#pragma once

#include <string>

namespace scheduler {

// The duration check of both windows' duration boxes. Text (a copy of the box's text) comes back trimmed
// and upper-cased; boxText is the box's own text, which gets "00" in front of a missing hours part or
// after a missing minutes part, and keeps that repair even when the text then proves invalid.
// True for hours 0..12 and minutes 0..59, each at most two characters, around one colon.
bool ValidDuration(std::string& Text, std::string& boxText);

} // namespace scheduler
