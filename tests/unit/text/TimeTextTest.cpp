// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TimeText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <optional>
#include <sstream>

namespace {

namespace timetext = text::timetext;

// Rows "text=expected;": the expected value is empty when the text is refused.
bool nextRow(std::istringstream& rows, std::string& text, std::string& expected)
{
    return std::getline(rows, text, '=') && std::getline(rows, expected, ';');
}

TEST(TimeText, ReadsNumberPartsAndRoundsHalfToEven)
{
    std::istringstream numbers("7.=7;.5=0.5;-5=-5; 7\t=7;12.25=12.25;=;-.=;1.2.=;7a=;1e2=;7 7=;++1=;");
    for (std::string text, value; nextRow(numbers, text, value);)
        EXPECT_EQ(timetext::readNumber(text), value.empty() ? std::nullopt : std::optional(std::stod(value)))
            << text;
    std::istringstream halves("0.5=0;1.5=2;2.5=2;2.4999=2;2.5001=3;-1.5=-2;-2.5=-2;59.5=60;1e300=" +
                              std::to_string(LONG_MAX) + ";-1e300=" + std::to_string(LONG_MIN));
    for (std::string value, whole; nextRow(halves, value, whole);)
        EXPECT_EQ(timetext::roundHalfEven(std::stod(value)), std::stol(whole)) << value;
}

// Every form a stored time can take without a locale: what the editor accepts ("H:MM" and a marker whose
// first A, else P, decides), the long 12-hour text with seconds, and the 24-hour clock.
TEST(TimeText, StoredTimesOfEveryForm)
{
    std::istringstream table(
        "7:30 PM=19:30:00;07:05am=07:05:00;12:00 AM=00:00:00;12:59 pm=12:59:00;1:5 p=13:05:00;  7 :  pm "
        "=19:00:00;"
        "7:30 Aft=07:30:00;7:30 pA=;7.:.5 AM=07:00:00;+7:1. AM=07:01:00;7:-0 AM=07:00:00;7:30 XYZ=;13:00 PM=;"
        "0:30 AM=;.5:30 AM=;7:60 PM=;7:-1 PM=;7 PM=;123:00 PM=;7:300 PM=;:30 PM=;7:xy PM=;7.5:00 AM=;"
        "7:00:00 AM=07:00:00;7:59:59 PM=19:59:59;12:00:00 AM=00:00:00;7:00:00\xE2\x80\xAF"
        "AM=07:00:00;7:00:00\xC2\xA0pm=19:00:00;7:60:00 AM=;7:0:00 AM=;7:00:60 AM=;7:00:00 XM=;13:00:00 PM=;"
        "19:30=19:30:00;7:05:09=07:05:09;0:00=00:00:00; 23:59:59 =23:59:59;24:00=;19:60=;19:30:60=;19=;19:=;"
        "19:30:=;19:0<=;007:00=;-1:30=;1 9:30=;19:30:00:00=;１９:30=;=;");
    for (std::string text, expected; nextRow(table, text, expected);) {
        const auto time = timetext::parseStoredTime(text);
        char got[16] = "";
        if (time)
            std::snprintf(got, sizeof got, "%02d:%02d:%02d", time->hour, time->minute, time->second);
        EXPECT_EQ(got, expected) << '"' << text << '"';
    }
    EXPECT_FALSE(timetext::parseTwelveHourWithSeconds("7:000:00 AM"));
}

} // namespace
