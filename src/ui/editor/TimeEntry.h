// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The editor's checks on what the user typed, kept free of widgets so that they can be tested alone.
namespace editor {

// The seven day boxes, Sunday first: element 0 is Check1 ("Sun"), element 6 is Check7 ("Sat").
using DayBoxes = std::array<bool, 7>;

// Checks an alarm time typed as "H:MM" and a marker whose first A or P (any case) picks the half of the
// day: hour 1..12, minute 0..59, each part at most two characters. Text is replaced by its upper-case form
// without surrounding blanks. Two repairs go to boxText, the text of the time box, and stay there even when
// the time then fails: an empty hour puts "00" in front of the box (":30 PM" becomes "00:30 PM", which
// fails), an empty minute puts "00" after the box's first colon ("7:PM" becomes "7:00PM"). Everything it
// accepts reads back through text::timetext::parseTwelveHour as the time the user meant.
bool ValidTime(std::string& Text, std::string& boxText);

// The day set of the boxes: the digit of every marked day, ascending, without separators; empty when no
// box is marked.
std::string GetType(const DayBoxes& boxes);

// The boxes a stored day set marks. Any order, repeats and other characters are accepted; only the digits
// "1" to "7" mark a box.
DayBoxes daysOfType(const std::string& type);

} // namespace editor
