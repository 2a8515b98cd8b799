// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmLoad.h"

#include "platform/Files.h"
#include "platform/LocaleTime.h"
#include "store/IniDocument.h"
#include "text/IsoDate.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace store {
namespace {

constexpr std::int16_t maxCount = std::numeric_limits<std::int16_t>::max();

// An optional sign and decimal digits, nothing else; values beyond the 16-bit range are clamped, since
// only their side matters to the callers.
std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min<std::int32_t>(value * 10 + (c - '0'), 1 << 20);
    }
    return negative ? -value : value;
}

std::int16_t stateFrom(const std::string& text)
{
    const auto number = wholeNumber(text);
    if (!number || *number < std::numeric_limits<std::int16_t>::min() || *number > maxCount)
        return 0;
    return static_cast<std::int16_t>(*number);
}

struct NormalisedTime
{
    std::string text;
    AlarmClockTime clock;
};

// Many alarms share a stored time, and the locale conversion is the costly part of a load.
class TimeNormaliser
{
public:
    explicit TimeNormaliser(const platform::LocaleTime& localeTime) : m_localeTime(localeTime) {}

    const NormalisedTime& operator()(const std::string& stored)
    {
        auto [entry, added] = m_known.try_emplace(stored);
        if (added) {
            if (const auto time = m_localeTime.parseTime(stored)) {
                entry->second.text = m_localeTime.longTimeText(*time);
                entry->second.clock = AlarmClockTime{true, time->hour, time->minute};
            } else {
                entry->second.text = stored;
            }
        }
        return entry->second;
    }

private:
    const platform::LocaleTime& m_localeTime;
    std::unordered_map<std::string, NormalisedTime> m_known;
};

// A date key that is there but names no day counts as absent, and says so once a load: a hand edit that
// quietly did nothing would leave the user wondering why an alarm rang.
std::optional<std::int64_t> storedDate(const std::string& stored, std::string_view section,
                                       std::string_view key)
{
    if (stored.empty())
        return std::nullopt;
    const auto day = text::parseIsoDate(stored);
    if (!day)
        std::cerr << "wakery: Data.ini [" << section << "] " << key << "=" << stored
                  << " is not a date (YYYY-MM-DD); ignored\n";
    return day;
}

AlarmPlan planFrom(const IniDocument& document, IniDocument::SectionRef section, const std::string& name)
{
    const std::string none;
    AlarmPlan plan;
    plan.storedDate = document.read(section, "Date", none);
    plan.storedSkip = document.read(section, "Skip", none);
    plan.storedTimer = document.read(section, "Timer", none);
    plan.date = storedDate(plan.storedDate, name, "Date");
    plan.skip = storedDate(plan.storedSkip, name, "Skip");
    plan.removeWhenAnswered = plan.date && plan.storedTimer == "1";
    plan.storedVolume = document.read(section, "Volume", none);
    plan.storedFadeIn = document.read(section, "FadeIn", none);
    plan.level = soundLevelFromKeys(plan.storedVolume, plan.storedFadeIn);
    return plan;
}

} // namespace

std::int16_t countFromText(const std::string& text)
{
    const auto number = wholeNumber(text);
    if (!number || *number < 0)
        return 0;
    return static_cast<std::int16_t>(std::min<std::int32_t>(*number, maxCount));
}

platform::SoundLevel soundLevelFromKeys(const std::string& volume, const std::string& fadeIn)
{
    platform::SoundLevel level;
    if (const auto number = wholeNumber(volume); number && *number >= 0 && *number <= 100)
        level.volume = *number;
    if (const auto number = wholeNumber(fadeIn);
        number && std::find(fadeInChoices.begin(), fadeInChoices.end(), *number) != fadeInChoices.end())
        level.fadeInSeconds = *number;
    return level;
}

bool loadAlarmTable(AlarmTable& table, const std::string& iniPath, const platform::Files& files,
                    const platform::LocaleTime& localeTime)
{
    if (!files.plainFileExists(iniPath))
        return false;
    // One parse for the whole load; every value is what ReadIni would give for it. A file that cannot
    // be read gives every key its default, as ReadIni does.
    IniDocument::Source source;
    const IniDocument document = IniDocument::fromFile(iniPath, source);

    table.ACount = countFromText(document.read("Alarm", "Count", "0"));
    table.pauseUntil = storedDate(document.read("Alarm", "PauseUntil", ""), "Alarm", "PauseUntil");
    if (table.ACount == 0)
        return true; // the arrays keep their old contents; nothing reads past ACount

    // Snooze offsets live only in memory and stay with their index.
    table.resize(table.ACount);
    const auto size = static_cast<std::size_t>(table.ACount) + 1;

    TimeNormaliser normalise(localeTime);
    const std::string none;
    for (std::size_t i = 1; i < size; ++i) {
        const std::string name = alarmSection(static_cast<int>(i));
        const auto section = document.findSection(name);
        table.AType[i] = document.read(section, "Type", "1234567");
        table.AStoredTime[i] = document.read(section, "Time", none);
        const NormalisedTime& time = normalise(table.AStoredTime[i]);
        table.ATime[i] = time.text;
        table.AClock[i] = time.clock;
        table.AMemo[i] = document.read(section, "Memo", none);
        table.AState[i] = stateFrom(document.read(section, "State", none));
        table.ASound[i] = document.read(section, "Sound", none);
        table.APlan[i] = planFrom(document, section, name);
    }
    return true;
}

} // namespace store
