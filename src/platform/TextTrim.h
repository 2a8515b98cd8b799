#pragma once

#include <string_view>

// The two trims the program's texts need: the profile file and stored times ignore blanks and tabs
// around a part, while the duration and time boxes trim spaces only, so that a tab typed into a box
// makes its part invalid instead of vanishing.
namespace platform::text {

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

} // namespace platform::text
