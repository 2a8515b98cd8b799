// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TimeOfDay.h"

#include <optional>
#include <string>

namespace platform {

// The locale-aware time services: reading a stored alarm time, writing the system's long time format and
// naming weekdays. Texts are UTF-8.
class LocaleTime
{
public:
    virtual ~LocaleTime() = default;
    // A time of day from text such as "7:00 AM", "7:5pm", "19:30" or a long time text this object wrote;
    // nullopt when the text is not a time of day.
    virtual std::optional<text::TimeOfDay> parseTime(const std::string& text) const = 0;
    // The long time format of the current locale, without any time-zone part ("7:00:00 AM").
    virtual std::string longTimeText(const text::TimeOfDay& time) const = 0;
    // weekday: 1 = Sunday .. 7 = Saturday.
    virtual std::string abbreviatedDayName(int weekday) const = 0;
    // month: 1 = January .. 12 = December.
    virtual std::string abbreviatedMonthName(int month) const = 0;
};

} // namespace platform
