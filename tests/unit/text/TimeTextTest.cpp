// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TimeText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <optional>

namespace {

namespace timetext = text::timetext;

struct Number
{
    const char* text;
    std::optional<double> value; // none: refused
};
const Number numbers[] = {
    {.text = "7.", .value = 7},   {.text = ".5", .value = 0.5},      {.text = "-5", .value = -5},
    {.text = " 7\t", .value = 7}, {.text = "12.25", .value = 12.25}, {.text = "", .value = {}},
    {.text = "-.", .value = {}},  {.text = "1.2.", .value = {}},     {.text = "7a", .value = {}},
    {.text = "1e2", .value = {}}, {.text = "7 7", .value = {}},      {.text = "++1", .value = {}},
};
struct Rounding
{
    double value;
    long whole;
};
const Rounding roundings[] = {
    {.value = 0.5, .whole = 0},           {.value = 1.5, .whole = 2},    {.value = 2.5, .whole = 2},
    {.value = 2.4999, .whole = 2},        {.value = 2.5001, .whole = 3}, {.value = -1.5, .whole = -2},
    {.value = -2.5, .whole = -2},         {.value = 59.5, .whole = 60},  {.value = 1e300, .whole = LONG_MAX},
    {.value = -1e300, .whole = LONG_MIN},
};

TEST(TimeText, ReadsNumberPartsAndRoundsHalfToEven)
{
    for (const Number& c : numbers)
        EXPECT_EQ(timetext::readNumber(c.text), c.value) << '"' << c.text << '"';
    for (const Rounding& c : roundings)
        EXPECT_EQ(timetext::roundHalfEven(c.value), c.whole) << c.value;
}

// Every form a stored time can take without a locale: what the editor accepts ("H:MM" and a marker whose
// first A, else P, decides), the long 12-hour text with seconds, and the 24-hour clock.
struct Stored
{
    const char* text;
    const char* time; // "": refused
};
const Stored stored[] = {
    {.text = "7:30 PM", .time = "19:30:00"},
    {.text = "07:05am", .time = "07:05:00"},
    {.text = "12:00 AM", .time = "00:00:00"},
    {.text = "12:59 pm", .time = "12:59:00"},
    {.text = "1:5 p", .time = "13:05:00"},
    {.text = "  7 :  pm ", .time = "19:00:00"},
    {.text = "7:30 Aft", .time = "07:30:00"},
    {.text = "7:30 pA", .time = ""},
    {.text = "7.:.5 AM", .time = "07:00:00"},
    {.text = "+7:1. AM", .time = "07:01:00"},
    {.text = "7:30 XYZ", .time = ""},
    {.text = "13:00 PM", .time = ""},
    {.text = "0:30 AM", .time = ""},
    {.text = "7:60 PM", .time = ""},
    {.text = "7:-1 PM", .time = ""},
    {.text = "7 PM", .time = ""},
    {.text = ":30 PM", .time = ""},
    {.text = "7.5:00 AM", .time = ""},
    {.text = "7:59:59 PM", .time = "19:59:59"},
    {.text = "12:00:00 AM", .time = "00:00:00"},
    {.text = "7:00:00\xE2\x80\xAF"
             "AM",
     .time = "07:00:00"}, // narrow no-break space
    {.text = "7:00:00\xC2\xA0pm", .time = "19:00:00"},
    {.text = "7:0:00 AM", .time = ""},
    {.text = "7:00:60 AM", .time = ""},
    {.text = "7:00:00 XM", .time = ""},
    {.text = "13:00:00 PM", .time = ""},
    {.text = "7:05:09", .time = "07:05:09"},
    {.text = "0:00", .time = "00:00:00"},
    {.text = " 23:59:59 ", .time = "23:59:59"},
    {.text = "24:00", .time = ""},
    {.text = "19:60", .time = ""},
    {.text = "19:30:60", .time = ""},
    {.text = "19", .time = ""},
    {.text = "19:30:", .time = ""},
    {.text = "007:00", .time = ""},
    {.text = "-1:30", .time = ""},
    {.text = "1 9:30", .time = ""},
    {.text = "19:30:00:00", .time = ""},
    {.text = "\xEF\xBC\x91\xEF\xBC\x99:30", .time = ""}, // full-width digits
};

TEST(TimeText, StoredTimesOfEveryForm)
{
    for (const Stored& c : stored) {
        const auto time = timetext::parseStoredTime(c.text);
        char got[16] = "";
        if (time)
            std::snprintf(got, sizeof got, "%02d:%02d:%02d", time->hour, time->minute, time->second);
        EXPECT_STREQ(got, c.time) << '"' << c.text << '"';
    }
    EXPECT_FALSE(timetext::parseTwelveHourWithSeconds("7:000:00 AM"));
}

} // namespace
