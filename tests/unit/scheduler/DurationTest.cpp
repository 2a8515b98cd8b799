// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/Duration.h"

#include <gtest/gtest.h>

namespace {

// The box of the main window's Set and of Snooze: what is accepted, the "00" repairs that stay in the box
// even when the text then fails, and what is read from it (the window's tests see Set store it).
struct Box
{
    std::string box;
    std::string checked = box; // the text as the check leaves it
    std::string boxAfter = box;
    bool valid = false;
    std::string read = ""; // "h:m" read from the box after; "" nothing
};
const Box boxes[] = {
    {.box = "0:05", .valid = true, .read = "0:5"},
    {.box = "12:59", .valid = true, .read = "12:59"},
    {.box = ":", .boxAfter = "00:00", .valid = true, .read = "0:0"},
    {.box = "5 :  ", .checked = "5 :", .boxAfter = "5 :  00", .valid = true, .read = "5:0"},
    {.box = "1:234"},
    {.box = "00005:00"}, // too many digits to read
    {.box = "5"},
    {.box = "1/:05"},
    {.box = "1:05 pm", .checked = "1:05 PM"},
};

TEST(ValidDuration, ChecksRepairsAndReadsTheBox)
{
    for (const Box& c : boxes) {
        SCOPED_TRACE('"' + c.box + '"');
        std::string checked = c.box, boxAfter = c.box;
        EXPECT_EQ(scheduler::ValidDuration(checked, boxAfter), c.valid);
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(boxAfter, c.boxAfter);
        const auto read = scheduler::snoozeDurationOf(boxAfter);
        EXPECT_EQ(read ? std::to_string(read->hours) + ":" + std::to_string(read->minutes) : "", c.read);
    }
}

} // namespace
