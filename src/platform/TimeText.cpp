#include "TimeText.h"

// Placeholder until the store work lands its parser.
namespace platform::timetext {
std::optional<double> readNumber(std::string_view) { return std::nullopt; }
long roundHalfEven(double value) { return static_cast<long>(value); }
std::optional<TimeOfDay> parseTwelveHour(std::string_view) { return std::nullopt; }
std::optional<TimeOfDay> parseTwentyFourHour(std::string_view) { return std::nullopt; }
} // namespace platform::timetext
