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
    bool load() { return store::loadAlarmTable(table, path, files, localeTime); }
    void write(const std::string& content) { folder.write("Data.ini", content); }

    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeLocaleTime localeTime;
    std::string path = platform::dataIniPath(files);
    store::AlarmTable table;
};

TEST_F(AlarmLoad, NoFileLeavesTheTableAsItWas)
{
    table.ACount = 2;
    table.AMemo = {"", "a", "b"};
    EXPECT_FALSE(load());
    EXPECT_EQ(table.ACount, 2);
    EXPECT_EQ(table.AMemo, (std::vector<std::string>{"", "a", "b"}));

    std::filesystem::create_directory(path); // a folder of that name is no file
    EXPECT_FALSE(load());
    EXPECT_EQ(table.ACount, 2);
}

TEST_F(AlarmLoad, ReadsEveryFieldAndNormalisesTheTime)
{
    write("[Alarm]\r\nCount=2\r\n"
          "[Alarm1]\r\nState=1\r\nType=23456\r\nTime=7:00 AM\r\nMemo=work\r\nSound=/s/a.wav\r\n"
          "[Alarm2]\r\nState=0\r\nType=17\r\nTime=19:30\r\nMemo=\r\nSound=\r\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ACount, 2);
    EXPECT_EQ(table.AType, (std::vector<std::string>{"", "23456", "17"}));
    EXPECT_EQ(table.ATime, (std::vector<std::string>{"", "7:00:00 AM", "7:30:00 PM"}));
    EXPECT_EQ(table.AStoredTime, (std::vector<std::string>{"", "7:00 AM", "19:30"}));
    EXPECT_EQ(table.AMemo, (std::vector<std::string>{"", "work", ""}));
    EXPECT_EQ(table.ASound, (std::vector<std::string>{"", "/s/a.wav", ""}));
    EXPECT_EQ(table.AState, (std::vector<std::int16_t>{0, 1, 0}));
    ASSERT_EQ(table.AClock.size(), 3u);
    EXPECT_TRUE(table.AClock[1].valid);
    EXPECT_EQ(table.AClock[1].hour, 7);
    EXPECT_EQ(table.AClock[2].hour, 19);
    EXPECT_EQ(table.AClock[2].minute, 30);
    EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, 0, 0}));
}

TEST_F(AlarmLoad, MissingKeysTakeTheirDefaults)
{
    write("[Alarm]\r\nCount=1\r\n[Alarm1]\r\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(table.AType[1], "1234567");
    EXPECT_EQ(table.ATime[1], "");
    EXPECT_FALSE(table.AClock[1].valid);
    EXPECT_EQ(table.AState[1], 0);
    EXPECT_EQ(table.AMemo[1], "");
    EXPECT_EQ(table.ASound[1], "");
}

struct CountCase
{
    const char* stored;
    std::int16_t count;
};

TEST_F(AlarmLoad, HandEditedCountsLoadSafely)
{
    const CountCase cases[] = {{"3", 3},         {"03", 3},        {"+3", 3},
                               {"0", 0},         {"-2", 0},        {"", 0},
                               {"2.5", 0},       {"3 alarms", 0},  {"abc", 0},
                               {"32767", 32767}, {"32768", 32767}, {"99999999999999999999", 32767},
                               {"\"2\"", 2}};
    for (const auto& c : cases) {
        write(std::string("[Alarm]\nCount=") + c.stored + "\n");
        ASSERT_TRUE(load());
        EXPECT_EQ(table.ACount, c.count) << c.stored;
    }
    write("[Alarm]\nDSnooze=00:05\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ACount, 0) << "no Count key";
}

TEST_F(AlarmLoad, OnlyAWholeNumberOneIsOn)
{
    const std::pair<const char*, std::int16_t> cases[] = {{"1", 1},     {"01", 1},  {"0", 0},  {"-1", -1},
                                                          {"2", 2},     {"1.0", 0}, {"on", 0}, {"", 0},
                                                          {"70000", 0}, {"1 ", 1}};
    for (const auto& [stored, state] : cases) {
        write(std::string("[Alarm]\nCount=1\n[Alarm1]\nTime=7:00 AM\nState=") + stored + "\n");
        ASSERT_TRUE(load());
        EXPECT_EQ(table.AState[1], state) << stored;
    }
}

TEST_F(AlarmLoad, ATimeThatIsNoTimeKeepsItsAlarmAndText)
{
    write("[Alarm]\nCount=3\n[Alarm1]\nTime=tea time\nMemo=one\n[Alarm2]\nTime=25:00\n"
          "[Alarm3]\nTime=12:00 AM\n");
    ASSERT_TRUE(load());
    ASSERT_EQ(table.ACount, 3);
    EXPECT_EQ(table.ATime[1], "tea time");
    EXPECT_EQ(table.AMemo[1], "one");
    EXPECT_FALSE(table.AClock[1].valid);
    EXPECT_EQ(table.ATime[2], "25:00");
    EXPECT_FALSE(table.AClock[2].valid);
    EXPECT_EQ(table.ATime[3], "12:00:00 AM");
    EXPECT_TRUE(table.AClock[3].valid);
    EXPECT_EQ(table.AClock[3].hour, 0);
}

TEST_F(AlarmLoad, SectionsBeyondCountAndDayGarbageAreNotInterpreted)
{
    write("[Alarm]\nCount=1\n[Alarm1]\nType=9a3\n[Alarm2]\nMemo=stale copy\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(table.AType, (std::vector<std::string>{"", "9a3"}));
    EXPECT_EQ(table.AMemo.size(), 2u);
}

TEST_F(AlarmLoad, SnoozeOffsetsStayWithTheirIndex)
{
    write("[Alarm]\nCount=3\n");
    ASSERT_TRUE(load());
    table.ASnoozeM = {0, 5, 10, 15};
    table.ASnoozeH = {0, 1, 0, 2};

    write("[Alarm]\nCount=4\n"); // one more: existing offsets kept, the new one 0
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10, 15, 0}));
    EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, 1, 0, 2, 0}));

    write("[Alarm]\nCount=2\n"); // fewer: those above the count dropped
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10}));

    write("[Alarm]\nCount=3\n"); // and a new third alarm starts at 0
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10, 0}));
}

TEST_F(AlarmLoad, CountZeroKeepsTheArraysAsTheyWere)
{
    write("[Alarm]\nCount=2\n[Alarm1]\nMemo=a\n");
    ASSERT_TRUE(load());
    table.ASnoozeM[1] = 5;
    write("[Alarm]\nCount=0\n");
    ASSERT_TRUE(load());
    EXPECT_EQ(table.ACount, 0);
    EXPECT_EQ(table.AMemo, (std::vector<std::string>{"", "a", ""}));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 0}));
}

TEST_F(AlarmLoad, EveryValueIsWhatReadIniGives)
{
    write("\xEF\xBB\xBF[alarm]\r\n count = 3 \r\n[ALARM1]\r\nmemo=\"quoted\"\r\nMEMO=second\r\n"
          "[Alarm2]\r\nMemo=" +
          std::string(300, 'm') +
          "\r\n[Alarm1]\r\nSound=ignored\r\n"
          "[Alarm3]\rTime='7:15 pm'\rState= 1\r");
    ASSERT_TRUE(load());
    ASSERT_EQ(table.ACount, 3);
    for (int i = 1; i <= 3; ++i) {
        const std::string section = "Alarm" + std::to_string(i);
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(table.AMemo[at], ini::ReadIni(path, section, "Memo", "")) << i;
        EXPECT_EQ(table.ASound[at], ini::ReadIni(path, section, "Sound", "")) << i;
        EXPECT_EQ(table.AType[at], ini::ReadIni(path, section, "Type", "1234567")) << i;
        EXPECT_EQ(table.AStoredTime[at], ini::ReadIni(path, section, "Time", "")) << i;
    }
    EXPECT_EQ(table.ATime[3], "7:15:00 PM");
    EXPECT_EQ(table.AState[3], 1);
}

// Every line ending style at full size: a search for the line end that restarted at every line would
// cross the whole of a file without LF once per line and never finish.
TEST_F(AlarmLoad, FullSizeFilesOfEveryLineEndingLoad)
{
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        std::string text = "[Alarm]" + eol + "Count=32767" + eol;
        for (int i = 1; i <= 32767; ++i)
            text += "[Alarm" + std::to_string(i) + "]" + eol + "Time=7:05 PM" + eol + "Memo=m" +
                    std::to_string(i) + eol;
        write(text);
        ASSERT_TRUE(load());
        ASSERT_EQ(table.ACount, 32767);
        EXPECT_EQ(table.AMemo[32767], "m32767");
        EXPECT_EQ(table.ATime[16000], "7:05:00 PM");
        EXPECT_EQ(ini::ReadIni(path, "Alarm32767", "Memo", ""), "m32767");
        ASSERT_TRUE(ini::WriteIni(path, "Alarm32767", "Sound", "s"));
        EXPECT_EQ(folder.read("Data.ini"), text + "Sound=s" + eol);
    }
}

TEST_F(AlarmLoad, LoadingNeverChangesTheFile)
{
    const std::string content = "[Alarm]\nCount=2\n[Alarm1]\nTime=bad\n";
    write(content);
    ASSERT_TRUE(load());
    EXPECT_EQ(folder.read("Data.ini"), content);
}

} // namespace
