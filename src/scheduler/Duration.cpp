// SPDX-License-Identifier: GPL-3.0-or-later
#include "Duration.h"

#include "text/TextTrim.h"

#include <algorithm>
#include <string_view>

namespace scheduler {

namespace {

// Blanks only: a tab or a line break is not trimmed and makes its part invalid.
std::string_view trimmed(std::string_view text)
{
    return text::trimSpaces(text);
}

std::optional<int> wholeNumber(std::string_view part)
{
    const std::string_view digits = trimmed(part);
    if (digits.empty() || digits.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool inRange(std::optional<int> value, int high)
{
    return value && *value >= 0 && *value <= high;
}

constexpr int maxHours = 12;
constexpr int maxMinutes = 59;

} // namespace

bool ValidDuration(std::string& Text, std::string& boxText)
{
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    Text = std::string(trimmed(Text));

    const auto colon = Text.find(':');
    if (colon == std::string::npos)
        return false;

    // Not trimmed again before the length test: "1 :05" has the two-character hours part "1 ".
    // Copies, not views: a caller may pass the box text itself as Text.
    std::string hours = Text.substr(0, colon);
    const std::string afterColon = Text.substr(colon + 1);
    if (hours.size() > 2)
        return false;
    if (hours.empty()) {
        hours = '0';
        boxText = "00" + boxText;
    }
    if (!inRange(wholeNumber(hours), maxHours))
        return false;

    std::string minutes(trimmed(afterColon));
    if (minutes.size() > 2)
        return false;
    if (minutes.empty()) {
        minutes = '0';
        boxText += "00";
    }
    return inRange(wholeNumber(minutes), maxMinutes);
}

std::optional<SnoozeDuration> snoozeDurationOf(const std::string& boxText)
{
    const std::string_view text = trimmed(boxText);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto hours = wholeNumber(text.substr(0, colon));
    const auto minutes = wholeNumber(text.substr(colon + 1));
    if (!inRange(hours, maxHours) || !inRange(minutes, maxMinutes))
        return std::nullopt;
    return SnoozeDuration{static_cast<std::int16_t>(*hours), static_cast<std::int16_t>(*minutes)};
}

} // namespace scheduler
