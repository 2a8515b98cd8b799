// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TimeText.h"
#include "text/IsoDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// Every form a stored time can take without a locale: what the editor accepts ("H:MM" and a marker whose
// first A, else P, decides), the long 12-hour text with seconds, and the 24-hour clock.
struct Stored
{
    const char* text;
    const char* time; // "": refused
};
const Stored stored[] = {
    {.text = "12:00 AM", .time = "00:00:00"},
    {.text = "  7 :  pm ", .time = "19:00:00"},
    {.text = "12:00:00 AM", .time = "00:00:00"},
    {.text = "7:00:00\xE2\x80\xAF"
             "AM",
     .time = "07:00:00"}, // narrow no-break space
    {.text = "7:00:00\xC2\xA0pm", .time = "19:00:00"},
    {.text = "7:05:09", .time = "07:05:09"},
    {.text = "7:3. AM", .time = "07:03:00"},
    {.text = "23:59:59", .time = "23:59:59"},
    {.text = "19:60", .time = ""},
    {.text = "123:00", .time = ""},
    {.text = "-1:00 AM", .time = ""},
};

TEST(TimeText, StoredTimesOfEveryForm)
{
    for (const Stored& c : stored) {
        const auto time = text::timetext::parseStoredTime(c.text);
        char got[16] = "";
        if (time)
            std::snprintf(got, sizeof got, "%02d:%02d:%02d", time->hour, time->minute, time->second);
        EXPECT_STREQ(got, c.time) << '"' << c.text << '"';
    }
}

// Casting a NaN to long is undefined; it reads as 0.
TEST(TimeText, RoundsNoNumberToZero)
{
    EXPECT_EQ(text::timetext::roundHalfEven(std::nan("")), 0);
}

// A stored date reads back as the text it came from; anything but a real day in exactly this form is none.
struct Date
{
    const char* text;
    bool day;
};
const Date dates[] = {
    {.text = "2028-02-29", .day = true},  {.text = "2026-02-29", .day = false},
    {.text = "1969-12-31", .day = true},  {.text = "2026-12-8", .day = false},
    {.text = "2026-12/08", .day = false}, {.text = "2026/12-08", .day = false},
    {.text = "2026-1x-08", .day = false}, {.text = "2026-12-0x", .day = false},
};

TEST(IsoDate, OnlyRealDaysInTheStoredForm)
{
    for (const Date& c : dates) {
        const auto day = text::parseIsoDate(c.text);
        EXPECT_EQ(day.has_value(), c.day) << c.text;
        EXPECT_EQ(day ? text::isoDate(*day) : c.text, c.text);
    }
}

} // namespace
