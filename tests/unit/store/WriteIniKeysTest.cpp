#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <gtest/gtest.h>

namespace {

// A command of the main window or the editor, as the key-by-key writes it replaces.
struct Command
{
    const char* name;
    std::string before;
    std::vector<ini::KeyWrite> writes;
};

const std::string threeAlarms = "\xEF\xBB\xBF; hand comment\n[Alarm]\nCount=3\nDSnooze=00:10\n\n"
                                "[Alarm1]\nState=1\nType=23456\nTime=7:00 AM\nMemo=work\nSound=\n\n"
                                "[Alarm2]\nState=0\nType=17\nTime=9:30 AM\nMemo=lie in\nSound=/s/b.wav\n"
                                "Extra=kept\n\n"
                                "[Alarm3]\nState=1\nType=1234567\nTime=10:00 PM\nMemo=bed\nSound=\n";

std::vector<ini::KeyWrite> alarmKeys(int index, const std::string& state, const std::string& type,
                                     const std::string& time, const std::string& memo,
                                     const std::string& sound)
{
    const std::string section = "Alarm" + std::to_string(index);
    return {{section, "State", state},
            {section, "Type", type},
            {section, "Time", time},
            {section, "Memo", memo},
            {section, "Sound", sound}};
}

std::vector<ini::KeyWrite> operator+(std::vector<ini::KeyWrite> a, const std::vector<ini::KeyWrite>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class WriteIniKeys : public testing::TestWithParam<Command>
{
};

void PrintTo(const Command& c, std::ostream* os)
{
    *os << c.name;
}

TEST_P(WriteIniKeys, GivesTheSameFileAsOneWriteIniPerKey)
{
    const Command& c = GetParam();
    fakes::TempFolder folder;
    folder.write("batch.ini", c.before);
    folder.write("single.ini", c.before);
    ASSERT_TRUE(ini::WriteIniKeys(folder.file("batch.ini"), c.writes));
    for (const auto& write : c.writes)
        ASSERT_TRUE(ini::WriteIni(folder.file("single.ini"), write.section, write.key, write.value));
    EXPECT_EQ(folder.read("batch.ini"), folder.read("single.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WriteIniKeys,
    testing::Values(
        Command{"AddToNewFile", "",
                std::vector<ini::KeyWrite>{{"Alarm", "Count", "1"}} +
                    alarmKeys(1, "1", "1234567", "7:00 AM", "first", "")},
        Command{"AddFourth", threeAlarms,
                std::vector<ini::KeyWrite>{{"Alarm", "Count", "4"}} +
                    alarmKeys(4, "1", "1", "6:45 am", "multi\r\nline", "")},
        Command{"ChangeSecond", threeAlarms, alarmKeys(2, "1", "246", "9:45 AM", "x", "")},
        Command{"DeleteFirstMovesTheOthersDown", threeAlarms,
                std::vector<ini::KeyWrite>{{"Alarm", "Count", "2"}} +
                    alarmKeys(1, "0", "17", "9:30:00 AM", "lie in", "/s/b.wav") +
                    alarmKeys(2, "1", "1234567", "10:00:00 PM", "bed", "")},
        Command{"SameKeyTwiceLastWins",
                threeAlarms,
                {{"Alarm9", "Memo", "a"},
                 {"alarm9", "memo", "b"},
                 {"Alarm", "count", "7"},
                 {"ALARM", "Count", "8"}}},
        Command{"NewSectionsAndKeysInterleaved",
                "[A]\r\nX=1",
                {{"B", "Y", "1"}, {"A", "Z", "2"}, {"C", "W", "3"}, {"B", "V", "4"}, {"A", "X", "5"}}},
        Command{"MixedEndingsBeforeBlankLine", "[A]\rX=1\n\n[B]\r", {{"A", "K", "v"}, {"A", "L", "w"}}},
        Command{"NothingChanges", threeAlarms, alarmKeys(1, "1", "23456", "7:00 AM", "work", "")}),
    [](const testing::TestParamInfo<Command>& row) { return std::string(row.param.name); });

TEST(WriteIniKeysFile, NoWritesLeaveNoFile)
{
    fakes::TempFolder folder;
    EXPECT_TRUE(ini::WriteIniKeys(folder.file("Data.ini"), {}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Data.ini")));
}

TEST(WriteIniKeysFile, OneBadNameWritesNothingAtAll)
{
    fakes::TempFolder folder;
    folder.write("Data.ini", threeAlarms);
    EXPECT_FALSE(ini::WriteIniKeys(folder.file("Data.ini"), {{"Alarm", "Count", "4"}, {"Alarm4", "", "1"}}));
    EXPECT_EQ(folder.read("Data.ini"), threeAlarms);
}

} // namespace
