#include "platform/TimeText.h"

#include <optional>
#include <ostream>

#include <gtest/gtest.h>

namespace platform {
void PrintTo(const TimeOfDay& t, std::ostream* os)
{
    *os << t.hour << ":" << t.minute << ":" << t.second;
}
} // namespace platform

namespace {

using platform::TimeOfDay;
namespace timetext = platform::timetext;

struct NumberCase
{
    const char* text;
    std::optional<double> value;
};

TEST(TimeText, ReadsNumberPartsAsTheTimeCheckDoes)
{
    const NumberCase cases[] = {
        {"07", 7},
        {"7", 7},
        {"7.", 7},
        {".5", 0.5},
        {"+5", 5},
        {"-5", -5},
        {" 7", 7},
        {"7\t", 7},
        {"0", 0},
        {"12.25", 12.25},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"+", std::nullopt},
        {".", std::nullopt},
        {"-.", std::nullopt},
        {"1.2.", std::nullopt},
        {"7a", std::nullopt},
        {"1e2", std::nullopt},
        {"0x1", std::nullopt},
        {"7 7", std::nullopt},
        {"++1", std::nullopt},
        {"٧", std::nullopt},
        {"1,5", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timetext::readNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(TimeText, RoundsHalfToEven)
{
    const std::pair<double, long> cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},   {2.4999, 2}, {2.5001, 3},
                                             {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {59.5, 60},  {7, 7}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(timetext::roundHalfEven(value), rounded) << value;
    EXPECT_EQ(timetext::roundHalfEven(1e300), std::numeric_limits<long>::max());
}

struct TimeCase
{
    const char* text;
    std::optional<TimeOfDay> time;
};

const std::optional<TimeOfDay> invalid;

TEST(TimeText, TwelveHourAcceptsWhatTheEditorAccepts)
{
    const TimeCase cases[] = {
        {"7:30 PM", TimeOfDay{19, 30, 0}},
        {"7:30PM", TimeOfDay{19, 30, 0}},
        {"07:05 am", TimeOfDay{7, 5, 0}},
        {"12:00 AM", TimeOfDay{0, 0, 0}},
        {"12:59 am", TimeOfDay{0, 59, 0}},
        {"12:00 PM", TimeOfDay{12, 0, 0}},
        {"11:59 PM", TimeOfDay{23, 59, 0}},
        {"1:00 AM", TimeOfDay{1, 0, 0}},
        {"1:5 p", TimeOfDay{13, 5, 0}},
        {"  7:30   pm  ", TimeOfDay{19, 30, 0}},
        {"7:PM", TimeOfDay{19, 0, 0}},
        {"7: PM", TimeOfDay{19, 0, 0}},
        {"7:30 P.M.", TimeOfDay{19, 30, 0}},
        {"7:30 Afternoon", TimeOfDay{7, 30, 0}}, // the first letter decides, whatever it spells
        {"7:30 pastA", invalid},                 // A is looked for first: the minute part is "30 P..."
        {"7:30 AMPM", TimeOfDay{7, 30, 0}},
        {"7 :30 PM", TimeOfDay{19, 30, 0}},
        {"7.:30 PM", TimeOfDay{19, 30, 0}},
        {"+7:30 PM", TimeOfDay{19, 30, 0}},
        {"7:.5 AM", TimeOfDay{7, 0, 0}}, // half to even
        {"7:1. AM", TimeOfDay{7, 1, 0}},
        {"7:+9 AM", TimeOfDay{7, 9, 0}},
        {"7:-0 AM", TimeOfDay{7, 0, 0}},
        {"7:30", invalid},
        {"7:30 XYZ", invalid},
        {"13:00 PM", invalid},
        {"0:30 AM", invalid},
        {"00:30 AM", invalid},
        {".5:30 AM", invalid},
        {"7:60 PM", invalid},
        {"7:-1 PM", invalid},
        {"7 PM", invalid},
        {"123:00 PM", invalid},
        {"7:300 PM", invalid},
        {"7:30:15 PM", invalid},
        {":30 PM", invalid},
        {"ab:30 PM", invalid},
        {"7:xy PM", invalid},
        {"", invalid},
        {"7.5:00 AM", invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timetext::parseTwelveHour(c.text), c.time) << '"' << c.text << '"';
}

TEST(TimeText, EveryListEntryOfTheEditorParses)
{
    for (int hour = 1; hour <= 12; ++hour) {
        for (const char* half : {"AM", "PM"}) {
            const std::string text = std::to_string(hour) + ":00 " + half;
            const auto time = timetext::parseTwelveHour(text);
            ASSERT_TRUE(time) << text;
            EXPECT_EQ(time->hour, hour % 12 + (half[0] == 'P' ? 12 : 0)) << text;
        }
    }
}

TEST(TimeText, LongTwelveHourTextsWithSeconds)
{
    const TimeCase cases[] = {
        {"7:00:00 AM", TimeOfDay{7, 0, 0}},
        {"7:30:05 PM", TimeOfDay{19, 30, 5}},
        {"12:00:00 AM", TimeOfDay{0, 0, 0}},
        {"12:15:00 PM", TimeOfDay{12, 15, 0}},
        {"7:00:00\xE2\x80\xAF"
         "AM",
         TimeOfDay{7, 0, 0}}, // narrow no-break space, as newer CLDR writes
        {"7:00:00\xC2\xA0pm", TimeOfDay{19, 0, 0}},
        {"7:00:00AM", TimeOfDay{7, 0, 0}},
        {"7:00:00", invalid},
        {"13:00:00 PM", invalid},
        {"7:0:00 AM", invalid},
        {"7:00:60 AM", invalid},
        {"7:00:00 XM", invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timetext::parseTwelveHourWithSeconds(c.text), c.time) << '"' << c.text << '"';
}

TEST(TimeText, TwentyFourHourTexts)
{
    const TimeCase cases[] = {
        {"19:30", TimeOfDay{19, 30, 0}},
        {"07:00:00", TimeOfDay{7, 0, 0}},
        {"7:05", TimeOfDay{7, 5, 0}},
        {"0:00", TimeOfDay{0, 0, 0}},
        {"23:59:59", TimeOfDay{23, 59, 59}},
        {" 19:30 ", TimeOfDay{19, 30, 0}},
        {"24:00", invalid},
        {"19:60", invalid},
        {"19:30:60", invalid},
        {"19", invalid},
        {"19:", invalid},
        {":30", invalid},
        {"19:30:", invalid},
        {"19:30 PM", invalid},
        {"-1:30", invalid},
        {"1 9:30", invalid},
        {"19:30:00:00", invalid},
        {"１９:30", invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timetext::parseTwentyFourHour(c.text), c.time) << '"' << c.text << '"';
}

TEST(TimeText, StoredTimeTakesEveryFormTheProgramWrites)
{
    EXPECT_EQ(timetext::parseStoredTime("7:00 AM"), (TimeOfDay{7, 0, 0}));
    EXPECT_EQ(timetext::parseStoredTime("7:00:00 PM"), (TimeOfDay{19, 0, 0}));
    EXPECT_EQ(timetext::parseStoredTime("19:30:00"), (TimeOfDay{19, 30, 0}));
    EXPECT_EQ(timetext::parseStoredTime("tea time"), invalid);
}

} // namespace
