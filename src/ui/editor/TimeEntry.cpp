// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeEntry.h"

#include "text/TextTrim.h"
#include "text/TimeText.h"

#include <algorithm>

namespace editor {

namespace {

// Spaces off the whole text; the time itself is then read as a stored time, which also takes tabs
// around its parts, so a tab typed into the box is accepted wherever a blank is.
std::string trimBlanks(const std::string& text)
{
    return std::string(text::trimSpaces(text));
}

std::string upperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

} // namespace

bool ValidTime(std::string& Text, std::string& boxText)
{
    Text = upperAscii(trimBlanks(Text));
    const auto colon = Text.find(':');
    if (colon == 0) {
        // The box is mended even though the time fails: the user then sees what was read.
        boxText.insert(0, "00");
        return false;
    }
    if (!text::timetext::parseTwelveHour(Text))
        return false;
    // Accepted with a letter straight after the colon's blanks: the minute was left out and reads as 0.
    const auto minute = Text.find_first_not_of(" \t", colon + 1);
    if (Text[minute] == 'A' || Text[minute] == 'P') {
        const auto boxColon = boxText.find(':');
        if (boxColon != std::string::npos)
            boxText.insert(boxColon + 1, "00");
    }
    return true;
}

std::string GetType(const DayBoxes& boxes)
{
    std::string type;
    for (std::size_t day = 0; day < boxes.size(); ++day) {
        if (boxes[day])
            type += static_cast<char>('1' + day);
    }
    return type;
}

DayBoxes daysOfType(const std::string& type)
{
    DayBoxes boxes{};
    for (const char c : type) {
        if (c >= '1' && c <= '7')
            boxes[static_cast<std::size_t>(c - '1')] = true;
    }
    return boxes;
}

} // namespace editor
