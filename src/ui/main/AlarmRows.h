// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class LocaleTime;
}
namespace store {
struct AlarmTable;
}

// What the main window's list shows for each alarm, apart from the widget so that it can be checked
// without one. Texts are UTF-8.
namespace mainwin {

struct AlarmRow
{
    std::string time; // the normalised time text
    std::string memo;
    std::string days;  // "Sun,Sat", or "Once, Tue 8 Dec" for a one-off
    std::string state; // "On" or "Off", and "(skips Tue 8 Dec)" while a Skip lies ahead
    friend bool operator==(const AlarmRow&, const AlarmRow&) = default;
};

// The locale's abbreviated weekday names of a day set, in the order of its digits, joined by "," with no
// blank. Characters that name no weekday (hand-edited files) are left out, as they never ring.
std::string daysText(const std::string& daySet, const platform::LocaleTime& locale);

// "On" only for state 1.
std::string stateText(int state);

// "Tue 8 Dec": day counted from 1970-01-01, in the locale's abbreviated names.
std::string dayText(std::int64_t day, const platform::LocaleTime& locale);

// One row per alarm index 1..ACount, in index order; today decides whether a Skip is still ahead.
std::vector<AlarmRow> alarmRows(const store::AlarmTable& table, const platform::LocaleTime& locale,
                                std::int64_t today);

} // namespace mainwin
