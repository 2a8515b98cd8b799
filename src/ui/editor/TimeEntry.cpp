#include "TimeEntry.h"

#include "platform/TextTrim.h"
#include "platform/TimeText.h"

#include <algorithm>

namespace editor {

namespace {

// Only blanks count here, not tabs: the time box is one line and the store keeps everything else.
std::string trimBlanks(const std::string& text)
{
    return std::string(platform::text::trimSpaces(text));
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
    if (colon == std::string::npos)
        return false;

    const std::string hourPart = Text.substr(0, colon);
    if (hourPart.size() > 2)
        return false;
    if (hourPart.empty()) {
        // The box is mended even though the time fails: the user then sees what was read.
        boxText.insert(0, "00");
        return false;
    }
    // The hour is judged by its value, so "07" and "7." pass; two characters leave no room for a fraction
    // that would fall between 1 and 12.
    const auto hour = platform::timetext::readNumber(hourPart);
    if (!hour || *hour < 1 || *hour > 12)
        return false;

    const std::string rest = trimBlanks(Text.substr(colon + 1));
    auto marker = rest.find('A');
    if (marker == std::string::npos)
        marker = rest.find('P');
    if (marker == std::string::npos)
        return false;

    const std::string minutePart = trimBlanks(rest.substr(0, marker));
    if (minutePart.size() > 2)
        return false;
    if (minutePart.empty()) {
        const auto boxColon = boxText.find(':');
        if (boxColon != std::string::npos)
            boxText.insert(boxColon + 1, "00");
        return true;
    }
    const auto minute = platform::timetext::readNumber(minutePart);
    if (!minute)
        return false;
    const long rounded = platform::timetext::roundHalfEven(*minute);
    return rounded >= 0 && rounded <= 59;
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

std::string::size_type utf8PrefixLength(const std::string& text, std::string::size_type maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::string::size_type cut = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the first byte of the character that would be split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

} // namespace editor
