// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmRows.h"

#include "platform/LocaleTime.h"
#include "store/AlarmTable.h"

#include <array>
#include <chrono>

namespace mainwin {
namespace {

template <typename NameOf> std::string joinDays(const std::string& daySet, NameOf nameOf)
{
    std::string text;
    for (const char digit : daySet) {
        if (digit < '1' || digit > '7')
            continue;
        if (!text.empty())
            text += ',';
        text += nameOf(digit - '0');
    }
    return text;
}

} // namespace

std::string daysText(const std::string& daySet, const platform::LocaleTime& locale)
{
    return joinDays(daySet, [&locale](int day) { return locale.abbreviatedDayName(day); });
}

std::string dayText(std::int64_t day, const platform::LocaleTime& locale)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{days{day}}};
    const auto weekday = static_cast<int>(std::chrono::weekday{sys_days{days{day}}}.c_encoding()) + 1;
    return locale.abbreviatedDayName(weekday) + " " + std::to_string(static_cast<unsigned>(date.day())) +
           " " + locale.abbreviatedMonthName(static_cast<int>(static_cast<unsigned>(date.month())));
}

std::string stateText(int state)
{
    return state == 1 ? "On" : "Off";
}

std::vector<AlarmRow> alarmRows(const store::AlarmTable& table, const platform::LocaleTime& locale,
                                std::int64_t today)
{
    std::vector<AlarmRow> rows;
    if (table.ACount <= 0)
        return rows;
    // Named once per rebuild rather than once per day of every alarm: a full table would otherwise ask
    // the locale some 200,000 times.
    std::array<std::string, 8> names;
    for (int day = 1; day <= 7; ++day)
        names[static_cast<std::size_t>(day)] = locale.abbreviatedDayName(day);
    const auto nameOf = [&names](int day) -> const std::string& {
        return names[static_cast<std::size_t>(day)];
    };

    rows.reserve(static_cast<std::size_t>(table.ACount));
    for (std::size_t i = 1; i <= static_cast<std::size_t>(table.ACount); ++i) {
        const store::AlarmPlan& plan = table.APlan[i];
        AlarmRow row{table.ATime[i], table.AMemo[i], joinDays(table.AType[i], nameOf),
                     stateText(table.AState[i])};
        if (plan.date)
            row.days = "Once, " + dayText(*plan.date, locale);
        if (plan.skip && *plan.skip >= today)
            row.state += " (skips " + dayText(*plan.skip, locale) + ")";
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace mainwin
