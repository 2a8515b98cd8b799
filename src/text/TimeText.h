// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimeOfDay.h"

#include <optional>
#include <string_view>

// Locale-free reading of the time texts the program itself stores, shared by the editor's time check and
// the locale conversion so that every text the editor accepts loads again as the same time.
namespace text::timetext {

// A part of a time text read as a decimal number: digits with an optional sign and decimal point
// ("07", "7.", ".5", "+5"), blanks (spaces, tabs) around it allowed; nullopt for anything else, the
// empty text and a lone sign or point included. Callers limit the length themselves.
std::optional<double> readNumber(std::string_view text);

// Rounds half to even, as the time and duration checks do (0.5 -> 0, 1.5 -> 2, -2.5 -> -2); values
// beyond the range of long are clamped, NaN gives 0.
long roundHalfEven(double value);

// "H:MM" followed by a marker whose first A or P decides the half of the day ("7:00 AM", "7:5pm",
// "12:00 AM" is midnight, "1:5 p"); hour 1..12, minute 0..59, parts as readNumber reads them.
// Accepts every text the editor's time check accepts, with the same steps: the text is upper-cased and
// trimmed, the hour is the text before the first colon (at most 2 characters, a number 1..12), the
// rest after the colon is trimmed, its first "A" (else its first "P") is the marker, the minute is the
// trimmed text before it (at most 2 characters, empty meaning 0, rounded half to even, 0..59), and
// whatever follows the marker letter is ignored. Within two characters a point can only end the hour
// ("7." is 7), so a fractional hour never reaches the result. Seconds are not accepted.
std::optional<TimeOfDay> parseTwelveHour(std::string_view text);

// "H:MM:SS" with hour 1..12, then blanks (space, tab, U+00A0, U+202F) or none, then a marker whose
// first letter A or P decides the half of the day: the long time text of 12-hour locales ("7:00:00 AM").
std::optional<TimeOfDay> parseTwelveHourWithSeconds(std::string_view text);

// "H:MM" or "H:MM:SS" on the 24-hour clock ("19:30", "07:00:00", "7:05"): one or two digits per part,
// hour 0..23, minute and second 0..59, blanks around allowed.
std::optional<TimeOfDay> parseTwentyFourHour(std::string_view text);

// The three forms above, tried in that order: what a stored alarm time can be without any locale.
std::optional<TimeOfDay> parseStoredTime(std::string_view text);

} // namespace text::timetext
