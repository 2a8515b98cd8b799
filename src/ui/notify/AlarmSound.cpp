#include "AlarmSound.h"

#include "AlarmOwner.h"
#include "platform/Files.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <string_view>

namespace notify {
namespace {

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; pin it so nothing elsewhere can change the result.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<double> readPart(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return 0.0; // a part the duration check filled in
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int16_t clampedWhole(double value, int highest)
{
    return static_cast<std::int16_t>(std::clamp(static_cast<int>(roundHalfEven(value)), 0, highest));
}

} // namespace

std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files)
{
    if (owner.AlarmSoundPresent(index))
        return owner.GetASound(index);
    return platform::programFile(files, "default.wav");
}

bool soundRestartDue(double position, double length)
{
    return roundHalfEven(position) == roundHalfEven(length);
}

std::optional<std::pair<std::int16_t, std::int16_t>> durationParts(const std::string& text)
{
    const std::string_view all = trimmed(text);
    const auto colon = all.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto hours = readPart(all.substr(0, colon));
    const auto minutes = readPart(all.substr(colon + 1));
    if (!hours || !minutes)
        return std::nullopt;
    return std::pair{clampedWhole(*hours, 12), clampedWhole(*minutes, 59)};
}

} // namespace notify
