#include "store/AlarmCommands.h"
#include "store/AlarmLoad.h"
#include "store/ini.h"

#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace {

// Four alarms, each with its own oddity that a move must carry over unchanged: a lower-case stored time,
// a hand-written state 5, a 24-hour time and a sound path.
const char* const fourAlarms =
    "[Alarm]\r\nCount=4\r\nDSnooze=0:10\r\n"
    "[Alarm1]\r\nState=1\r\nType=1234567\r\nTime=7:00 am\r\nMemo=first\r\nSound=\r\n"
    "[Alarm2]\r\nState=0\r\nType=246\r\nTime=8:15 AM\r\nMemo=second\r\nSound=\r\n"
    "[Alarm3]\r\nState=5\r\nType=17\r\nTime=19:30\r\nMemo=third one\r\nSound=\r\n"
    "[Alarm4]\r\nState=1\r\nType=3\r\nTime=12:00 PM\r\nMemo=fourth\r\nSound=/x/ring.wav\r\n";

struct Section
{
    std::string State, Type, Time, Memo, Sound;
    friend bool operator==(const Section&, const Section&) = default;
};

const Section first{"1", "1234567", "7:00 am", "first", ""};
const Section second{"0", "246", "8:15 AM", "second", ""};
const Section third{"5", "17", "19:30", "third one", ""};
const Section fourth{"1", "3", "12:00 PM", "fourth", "/x/ring.wav"};

class AlarmCommands : public testing::Test
{
protected:
    void load(const std::string& content)
    {
        folder.write("Data.ini", content);
        ASSERT_TRUE(store::loadAlarmTable(table, ini(), files, locale));
    }
    std::string ini() const { return folder.file("Data.ini"); }
    std::string read(const std::string& section, const std::string& key) const
    {
        return ini::ReadIni(ini(), section, key, "<absent>");
    }
    Section section(int index) const
    {
        const std::string name = "Alarm" + std::to_string(index);
        return {read(name, "State"), read(name, "Type"), read(name, "Time"), read(name, "Memo"),
                read(name, "Sound")};
    }

    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeLocaleTime locale;
    store::AlarmTable table;
};

struct RemoveCase
{
    const char* name;
    std::int16_t index;
    std::vector<Section> sectionsAfter; // Alarm1..Alarm4 as the file holds them afterwards
    friend void PrintTo(const RemoveCase& c, std::ostream* out) { *out << c.name; }
};

class RemoveAlarm : public AlarmCommands, public testing::WithParamInterface<RemoveCase>
{
};

TEST_P(RemoveAlarm, LowersTheCountAndMovesTheLaterAlarmsDownLeavingTheLastSectionInPlace)
{
    load(fourAlarms);
    ASSERT_TRUE(store::removeAlarm(table, GetParam().index, ini()));

    EXPECT_EQ(read("Alarm", "Count"), "3");
    EXPECT_EQ(read("Alarm", "DSnooze"), "0:10");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(section(i), GetParam().sectionsAfter[static_cast<std::size_t>(i - 1)]) << "Alarm" << i;
}

INSTANTIATE_TEST_SUITE_P(OfFour, RemoveAlarm,
                         testing::Values(RemoveCase{"First", 1, {second, third, fourth, fourth}},
                                         RemoveCase{"Second", 2, {first, third, fourth, fourth}},
                                         RemoveCase{"Last", 4, {first, second, third, fourth}}),
                         [](const testing::TestParamInfo<RemoveCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(AlarmCommands, RemovingTheOnlyAlarmLeavesCountZeroAndNothingToLoad)
{
    load("[Alarm]\nCount=1\n[Alarm1]\nState=1\nType=1\nTime=7:00 AM\nMemo=only\nSound=\n");
    ASSERT_TRUE(store::removeAlarm(table, 1, ini()));
    EXPECT_EQ(read("Alarm", "Count"), "0");
    EXPECT_EQ(read("Alarm1", "Memo"), "only");
    ASSERT_TRUE(store::loadAlarmTable(table, ini(), files, locale));
    EXPECT_EQ(table.ACount, 0);
}

TEST_F(AlarmCommands, AnIndexOutsideTheTableChangesNothing)
{
    load(fourAlarms);
    for (std::int16_t index : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{5}, std::int16_t{32767}}) {
        EXPECT_FALSE(store::removeAlarm(table, index, ini())) << index;
        EXPECT_FALSE(store::writeToggledState(table, index, ini())) << index;
    }
    EXPECT_EQ(folder.read("Data.ini"), fourAlarms);
}

// Data.ini turned into a folder after the load: no write can replace it, whatever the user's rights.
TEST_F(AlarmCommands, AFailedWriteReportsFalseAndLeavesNothingBehind)
{
    load(fourAlarms);
    namespace fs = std::filesystem;
    fs::remove(ini());
    fs::create_directory(ini());
    folder.write("Data.ini/inside", "x");

    EXPECT_FALSE(store::removeAlarm(table, 2, ini()));
    EXPECT_FALSE(store::writeToggledState(table, 2, ini()));
    EXPECT_EQ(folder.read("Data.ini/inside"), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

struct ToggleCase
{
    const char* stored;
    const char* written;
    friend void PrintTo(const ToggleCase& c, std::ostream* out) { *out << '"' << c.stored << '"'; }
};

class ToggleState : public AlarmCommands, public testing::WithParamInterface<ToggleCase>
{
};

// Only 1 counts as on, so every other stored value, hand-written or unreadable, switches the alarm on.
TEST_P(ToggleState, OnlyStateOneSwitchesOff)
{
    load(std::string("[Alarm]\nCount=2\n[Alarm1]\nState=1\n[Alarm2]\nState=") + GetParam().stored +
         "\nType=1\nTime=7:00 AM\nMemo=m\nSound=\n");
    ASSERT_TRUE(store::writeToggledState(table, 2, ini()));
    EXPECT_EQ(read("Alarm2", "State"), GetParam().written);
    EXPECT_EQ(read("Alarm1", "State"), "1");
    EXPECT_EQ(read("Alarm2", "Memo"), "m");
}

INSTANTIATE_TEST_SUITE_P(States, ToggleState,
                         testing::Values(ToggleCase{"1", "0"}, ToggleCase{"0", "1"}, ToggleCase{"5", "1"},
                                         ToggleCase{"-1", "1"}, ToggleCase{"on", "1"}, ToggleCase{"", "1"}));

} // namespace
