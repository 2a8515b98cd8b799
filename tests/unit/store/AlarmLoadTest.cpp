#include "store/AlarmLoad.h"

#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"
#include "store/ini.h"

#include <gtest/gtest.h>

namespace {

class AlarmLoad : public testing::Test
{
protected:
    bool load(const std::string& content)
    {
        folder.write("Data.ini", content);
        return store::loadAlarmTable(table, path, files, localeTime);
    }
    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeLocaleTime localeTime;
    std::string path = platform::dataIniPath(files);
    store::AlarmTable table;
};

using Strings = std::vector<std::string>;

TEST_F(AlarmLoad, ReadsEveryFieldAsReadIniGivesIt)
{
    const std::string content =
        "\xEF\xBB\xBF[alarm]\r\n count = 4 \r\n"
        "[ALARM1]\r\nState=1\r\nType=23456\r\nTime=7:00 AM\r\nmemo=\"work\"\r\nSound=/s/a.wav\r\n"
        "[Alarm2]\rType=9a3\rTime='19:30'\rMemo=" +
        std::string(300, 'm') + "\r[Alarm3]\nTime=tea time\n[Alarm4]\n[Alarm5]\nMemo=stale\n";
    ASSERT_TRUE(load(content));
    ASSERT_EQ(table.ACount, 4);
    EXPECT_EQ(table.AType, (Strings{"", "23456", "9a3", "1234567", "1234567"}));
    EXPECT_EQ(table.AStoredTime, (Strings{"", "7:00 AM", "19:30", "tea time", ""}));
    // The time normalised once, so the check never parses; a text that is no time stays, and never rings.
    EXPECT_EQ(table.ATime, (Strings{"", "7:00:00 AM", "7:30:00 PM", "tea time", ""}));
    EXPECT_EQ(table.AMemo, (Strings{"", "work", std::string(254, 'm'), "", ""}));
    EXPECT_EQ(table.ASound, (Strings{"", "/s/a.wav", "", "", ""}));
    EXPECT_EQ(table.AState, (std::vector<std::int16_t>{0, 1, 0, 0, 0}));
    EXPECT_TRUE(table.AClock[2].valid);
    EXPECT_EQ(table.AClock[2].hour * 100 + table.AClock[2].minute, 1930);
    EXPECT_FALSE(table.AClock[3].valid || table.AClock[4].valid);
    EXPECT_EQ(folder.read("Data.ini"), content) << "loading never changes the file";
}

TEST_F(AlarmLoad, HandEditedNumbersLoadSafely)
{
    const std::pair<const char*, std::int16_t> counts[] = {
        {"3", 3},     {"+3", 3},        {"0", 0},         {"-2", 0},
        {"", 0},      {"2.5", 0},       {"3 alarms", 0},  {"abc", 0},
        {"\"2\"", 2}, {"32767", 32767}, {"32768", 32767}, {"99999999999999999999", 32767}};
    for (const auto& [stored, count] : counts) {
        ASSERT_TRUE(load(std::string("[Alarm]\nCount=") + stored + "\n"));
        EXPECT_EQ(table.ACount, count) << stored;
    }
    // Only a whole number 1 is on; anything unreadable is off.
    const std::pair<const char*, std::int16_t> states[] = {
        {"1", 1},         {"01", 1},    {"1 ", 1},          {"0", 0},     {"-1", -1},
        {"2", 2},         {"1.0", 0},   {"on", 0},          {"", 0},      {"70000", 0},
        {"32767", 32767}, {"32768", 0}, {"-32768", -32768}, {"-32769", 0}};
    for (const auto& [stored, state] : states) {
        ASSERT_TRUE(load(std::string("[Alarm]\nCount=1\n[Alarm1]\nState=") + stored + "\n"));
        EXPECT_EQ(table.AState[1], state) << stored;
    }
}

// Offsets live in memory only and stay with their index; a count of 0 or a missing file keeps the arrays.
TEST_F(AlarmLoad, ReloadsKeepOffsetsByIndex)
{
    ASSERT_TRUE(load("[Alarm]\nCount=3\n[Alarm1]\nMemo=a\n"));
    table.ASnoozeM = {0, 5, 10, 15};
    table.ASnoozeH = {0, 1, 0, 2};
    ASSERT_TRUE(load("[Alarm]\nCount=4\n"));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10, 15, 0}));
    EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, 1, 0, 2, 0}));
    ASSERT_TRUE(load("[Alarm]\nCount=2\n[Alarm1]\nMemo=b\n"));
    ASSERT_TRUE(load("[Alarm]\nCount=3\n"));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10, 0}));
    ASSERT_TRUE(load("[Alarm]\nCount=1\n[Alarm1]\nMemo=b\n"));
    ASSERT_TRUE(load("[Alarm]\nDSnooze=0:05\n"));
    EXPECT_EQ(table.ACount, 0);
    EXPECT_EQ(table.AMemo, (Strings{"", "b"}));
    std::filesystem::remove(path);
    table.ACount = 1;
    EXPECT_FALSE(store::loadAlarmTable(table, path, files, localeTime));
    std::filesystem::create_directory(path); // a folder of that name is no file
    EXPECT_FALSE(store::loadAlarmTable(table, path, files, localeTime));
    EXPECT_EQ(table.ACount, 1);
    EXPECT_EQ(table.AMemo, (Strings{"", "b"}));
}

} // namespace
