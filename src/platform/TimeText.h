#pragma once

#include "TimeOfDay.h"

#include <optional>
#include <string_view>

// Locale-free reading of the time texts the program itself stores, shared by the editor's time check and
// the locale conversion so that every text the editor accepts loads again as the same time.
namespace platform::timetext {

// A part of a time text read as a decimal number: digits with an optional sign and decimal point
// ("07", "7.", ".5", "+5"); nullopt for anything else, the empty text included.
std::optional<double> readNumber(std::string_view text);

// Rounds half to even, as the time and duration checks do.
long roundHalfEven(double value);

// "H:MM" followed by a marker whose first A or P decides the half of the day ("7:00 AM", "7:5pm",
// "12:00 AM" is midnight, "1:5 p"); hour 1..12, minute 0..59, parts as readNumber reads them.
std::optional<TimeOfDay> parseTwelveHour(std::string_view text);

// "H:MM" or "H:MM:SS" on the 24-hour clock ("19:30", "07:00:00").
std::optional<TimeOfDay> parseTwentyFourHour(std::string_view text);

} // namespace platform::timetext
