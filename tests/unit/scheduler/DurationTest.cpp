// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/Duration.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The box of the main window's Set and of Snooze: what is accepted, the "00" repairs that stay in the box
// even when the text then fails, and what is read from it (the window's tests see Set store it). Rows
// "box|Text after|box after|h:m;": h:m empty when refused, "!h:m" when refused by the check though the
// reading alone would take it.
TEST(ValidDuration, ChecksRepairsAndReadsTheBox)
{
    std::istringstream table(
        "0:05|0:05|0:05|0:5;5:5|5:5|5:5|5:5;12:59|12:59|12:59|12:59;:30|:30|00:30|0:30;"
        "7:|7:|7:00|7:0;:|:|00:00|0:0; 0:05 |0:05| 0:05 |0:5;1:  05|1:  05|1:  05|1:5;"
        "  :30|:30|00  :30|0:30;5 :  |5 :|5 :  00|5:0;13:00|13:00|13:00|;1:60|1:60|1:60|;"
        "123:00|123:00|123:00|;1:234|1:234|1:234|;15|15|15|;|||;1:05 pm|1:05 PM|1:05 pm|;"
        "0:05:00|0:05:00|0:05:00|;0:00005|0:00005|0:00005|;:123|:123|00:123|;:x|:X|00:x|;x:|X:|x:|;+5:00|+5:"
        "00|+5:00|;"
        "1.:00|1.:00|1.:00|;za:az|ZA:AZ|za:az|;005:00|005:00|005:00|!5:0;1:-5|1:-5|1:-5|;\t1:05|\t1:05|\t1:"
        "05|;"
        "\xd9\xa1:05|\xd9\xa1:05|\xd9\xa1:05|;");
    for (std::string box, text, repaired, duration; std::getline(table, box, '|');) {
        std::getline(table, text, '|');
        std::getline(table, repaired, '|');
        std::getline(table, duration, ';');
        SCOPED_TRACE('"' + box + '"');
        std::string typed = box, boxAfter = box;
        const bool valid = !duration.empty() && duration[0] != '!';
        EXPECT_EQ(scheduler::ValidDuration(typed, boxAfter), valid);
        EXPECT_EQ(typed, text);
        EXPECT_EQ(boxAfter, repaired);
        const auto read = scheduler::snoozeDurationOf(boxAfter);
        EXPECT_EQ(read ? std::to_string(read->hours) + ":" + std::to_string(read->minutes) : "",
                  valid ? duration : duration.substr(duration.empty() ? 0 : 1));
    }
}

} // namespace
