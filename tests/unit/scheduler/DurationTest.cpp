#include "scheduler/Duration.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct Case
{
    std::string box;
    bool valid;
    std::string text; // Text on return: trimmed and upper-cased
    std::string repairedBox;
    std::optional<scheduler::SnoozeDuration> duration; // read back from the repaired box
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << '"' << c.box << '"';
}

using D = scheduler::SnoozeDuration;

class ValidDurationCase : public ::testing::TestWithParam<Case>
{
};

TEST_P(ValidDurationCase, ChecksAndRepairsTheBox)
{
    const Case& c = GetParam();
    std::string text = c.box;
    std::string box = c.box;
    EXPECT_EQ(scheduler::ValidDuration(text, box), c.valid);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(box, c.repairedBox);
    if (c.valid) {
        EXPECT_EQ(scheduler::snoozeDurationOf(box), c.duration);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, ValidDurationCase,
    ::testing::Values(
        Case{"0:05", true, "0:05", "0:05", D{0, 5}}, Case{"00:05", true, "00:05", "00:05", D{0, 5}},
        Case{"5:5", true, "5:5", "5:5", D{5, 5}}, Case{"12:59", true, "12:59", "12:59", D{12, 59}},
        Case{":30", true, ":30", "00:30", D{0, 30}}, Case{"7:", true, "7:", "7:00", D{7, 0}},
        Case{":", true, ":", "00:00", D{0, 0}}, Case{" 0:05 ", true, "0:05", " 0:05 ", D{0, 5}},
        Case{"1 :05", true, "1 :05", "1 :05", D{1, 5}}, Case{"1:  05", true, "1:  05", "1:  05", D{1, 5}},
        Case{"  :30", true, ":30", "00  :30", D{0, 30}}, Case{"5 :  ", true, "5 :", "5 :  00", D{5, 0}}));

INSTANTIATE_TEST_SUITE_P(
    Refused, ValidDurationCase,
    ::testing::Values(Case{"13:00", false, "13:00", "13:00", {}}, Case{"1:60", false, "1:60", "1:60", {}},
                      Case{"123:00", false, "123:00", "123:00", {}},
                      Case{"1:234", false, "1:234", "1:234", {}}, Case{"15", false, "15", "15", {}},
                      Case{"", false, "", "", {}}, Case{"1:05 pm", false, "1:05 PM", "1:05 pm", {}},
                      Case{"0:05:00", false, "0:05:00", "0:05:00", {}},
                      Case{"ab:cd", false, "AB:CD", "ab:cd", {}},
                      // the repair made before the check fails stays in the box
                      Case{":123", false, ":123", "00:123", {}}, Case{":x", false, ":X", "00:x", {}},
                      Case{"x:", false, "X:", "x:", {}}, // refused before the minutes
                      // a sign or a decimal point is no whole number here
                      Case{"+5:00", false, "+5:00", "+5:00", {}}, Case{"-1:00", false, "-1:00", "-1:00", {}},
                      Case{"1.:00", false, "1.:00", "1.:00", {}}, Case{"1:+5", false, "1:+5", "1:+5", {}},
                      Case{"\t1:05", false, "\t1:05", "\t1:05", {}},
                      Case{"\xd9\xa1:05", false, "\xd9\xa1:05", "\xd9\xa1:05", {}}));

TEST(ValidDuration, BoxPassedAsItsOwnCopy)
{
    std::string box = ":30";
    EXPECT_TRUE(scheduler::ValidDuration(box, box));
    EXPECT_EQ(scheduler::snoozeDurationOf(box), (D{0, 30}));
}

TEST(SnoozeDurationOf, RefusesWhatIsNoDuration)
{
    for (const char* text : {"", "5", "13:00", "1:60", "a:b", "-1:05", "1:05:00"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(scheduler::snoozeDurationOf(text));
    }
}

} // namespace
