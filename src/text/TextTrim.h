// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// The cut of stored values and the two trims the program's texts need: the profile file and stored times
// ignore blanks and tabs around a part, while the duration boxes trim spaces only, so that a tab typed
// into one makes its part invalid instead of vanishing. (The time box reads its text as a stored time,
// so it takes a tab wherever it takes a blank.)
namespace text {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Blanks and tabs off both ends.
inline std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Spaces only off both ends.
inline std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The most bytes the store gives back of a value; the editor's boxes hold no more, so that what is typed
// is what loads again.
inline constexpr std::size_t maxStoredBytes = 254;

// The head of value that fits in maxBytes without cutting a UTF-8 character in two. Bytes that are no
// UTF-8 at the cut (a hand-edited file in another encoding) are cut where the count ends.
inline std::string_view cutUtf8(std::string_view value, std::size_t maxBytes = maxStoredBytes)
{
    if (value.size() <= maxBytes)
        return value;
    const auto byte = [&value](std::size_t at) { return static_cast<unsigned char>(value[at]) & 0xC0; };
    std::size_t cut = maxBytes;
    for (int step = 0; step < 3 && cut > 0 && byte(cut) == 0x80; ++step)
        --cut;
    if (cut == maxBytes || byte(cut) != 0xC0)
        cut = maxBytes;
    return value.substr(0, cut);
}

} // namespace text
