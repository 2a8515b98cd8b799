// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LocaleTime.h"
#include "text/TimeText.h"

#include <cstdio>

namespace fakes {

// An English (United States) locale without Qt: 12-hour long times "7:00:00 AM".
class FakeLocaleTime : public platform::LocaleTime
{
public:
    std::optional<text::TimeOfDay> parseTime(const std::string& text) const override
    {
        return text::timetext::parseStoredTime(text);
    }
    std::string longTimeText(const text::TimeOfDay& time) const override
    {
        char buffer[32];
        const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, time.minute, time.second,
                      time.hour < 12 ? "AM" : "PM");
        return buffer;
    }
    std::string abbreviatedMonthName(int month) const override
    {
        return month >= 1 && month <= 12 ? std::string("JanFebMarAprMayJunJulAugSepOctNovDec",
                                                       static_cast<std::size_t>(month - 1) * 3, 3)
                                         : "";
    }
    std::string abbreviatedDayName(int weekday) const override
    {
        return weekday >= 1 && weekday <= 7
                   ? std::string("SunMonTueWedThuFriSat", static_cast<std::size_t>(weekday - 1) * 3, 3)
                   : "";
    }
};

} // namespace fakes
