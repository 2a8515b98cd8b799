// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeText.h"

#include "TextTrim.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace text::timetext {
namespace {

using text::isBlank;
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

using text::trimBlanks;

// One or two digits and nothing else.
std::optional<int> readDigits(std::string_view text)
{
    if (text.empty() || text.size() > 2 || !isDigit(text[0]) || (text.size() == 2 && !isDigit(text[1])))
        return std::nullopt;
    return text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
}

// The blanks Qt and CLDR put between a time and its day-half marker: space, tab, U+00A0, U+202F.
std::string_view skipSeparators(std::string_view text)
{
    for (;;) {
        if (!text.empty() && isBlank(text.front()))
            text.remove_prefix(1);
        else if (text.starts_with("\xC2\xA0"))
            text.remove_prefix(2);
        else if (text.starts_with("\xE2\x80\xAF"))
            text.remove_prefix(3);
        else
            return text;
    }
}

int twentyFourHour(int hour12, bool afternoon)
{
    return (hour12 % 12) + (afternoon ? 12 : 0);
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t digits = 0;
    std::size_t points = 0;
    for (char c : text) {
        if (isDigit(c))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

long roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr auto lowest = static_cast<double>(std::numeric_limits<long>::min());
    constexpr auto highest = static_cast<double>(std::numeric_limits<long>::max());
    if (value <= lowest)
        return std::numeric_limits<long>::min();
    if (value >= highest)
        return std::numeric_limits<long>::max();
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto whole = static_cast<long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0))
        ++whole;
    return whole;
}

std::optional<TimeOfDay> parseTwelveHour(std::string_view text)
{
    std::string upper(trimBlanks(text));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    const std::string_view whole = upper;
    const std::size_t colon = whole.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2)
        return std::nullopt;
    const auto hourNumber = readNumber(whole.substr(0, colon));
    if (!hourNumber || *hourNumber < 1 || *hourNumber > 12)
        return std::nullopt;
    // Only "N." can carry a point within two characters, so the whole part is the hour the user meant.
    const int hour = static_cast<int>(*hourNumber);

    const std::string_view rest = trimBlanks(whole.substr(colon + 1));
    std::size_t marker = rest.find('A');
    if (marker == std::string_view::npos)
        marker = rest.find('P');
    if (marker == std::string_view::npos)
        return std::nullopt;
    const std::string_view minutePart = trimBlanks(rest.substr(0, marker));
    if (minutePart.size() > 2)
        return std::nullopt;
    long minute = 0;
    if (!minutePart.empty()) {
        const auto minuteNumber = readNumber(minutePart);
        if (!minuteNumber)
            return std::nullopt;
        minute = roundHalfEven(*minuteNumber);
    }
    if (minute < 0 || minute > 59)
        return std::nullopt;
    return TimeOfDay{twentyFourHour(hour, rest[marker] == 'P'), static_cast<int>(minute), 0};
}

std::optional<TimeOfDay> parseTwelveHourWithSeconds(std::string_view text)
{
    text = trimBlanks(text);
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos || second != first + 3 || text.size() < second + 3)
        return std::nullopt;
    const auto hour = readDigits(text.substr(0, first));
    const auto minute = readDigits(text.substr(first + 1, 2));
    const auto seconds = readDigits(text.substr(second + 1, 2));
    const std::string_view marker = skipSeparators(text.substr(second + 3));
    if (!hour || !minute || !seconds || *hour < 1 || *hour > 12 || *minute > 59 || *seconds > 59 ||
        marker.empty())
        return std::nullopt;
    const char letter = marker.front();
    if (letter != 'A' && letter != 'a' && letter != 'P' && letter != 'p')
        return std::nullopt;
    return TimeOfDay{twentyFourHour(*hour, letter == 'P' || letter == 'p'), *minute, *seconds};
}

std::optional<TimeOfDay> parseTwentyFourHour(std::string_view text)
{
    text = trimBlanks(text);
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto hour = readDigits(text.substr(0, first));
    std::string_view rest = text.substr(first + 1);
    const std::size_t second = rest.find(':');
    const auto minute = readDigits(rest.substr(0, second));
    std::optional<int> seconds = 0;
    if (second != std::string_view::npos)
        seconds = readDigits(rest.substr(second + 1));
    if (!hour || !minute || !seconds || *hour > 23 || *minute > 59 || *seconds > 59)
        return std::nullopt;
    return TimeOfDay{*hour, *minute, *seconds};
}

std::optional<TimeOfDay> parseStoredTime(std::string_view text)
{
    if (auto time = parseTwelveHour(text))
        return time;
    if (auto time = parseTwelveHourWithSeconds(text))
        return time;
    return parseTwentyFourHour(text);
}

} // namespace text::timetext
