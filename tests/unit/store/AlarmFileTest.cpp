// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/AlarmCommands.h"
#include "store/AlarmLoad.h"
#include "store/AlarmRecord.h"
#include "store/ini.h"

#include "fakes/FakeLocaleTime.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Data.ini in a fresh folder, loaded into a table as the program does it.
class AlarmFile : public testing::Test
{
protected:
    bool load(const std::string& content)
    {
        folder.write("Data.ini", content);
        return store::loadAlarmTable(table, path, files, localeTime);
    }
    fakes::TempFolder folder;
    fakes::StdFiles files{folder.path()};
    fakes::FakeLocaleTime localeTime;
    std::string path = platform::dataIniPath(files);
    store::AlarmTable table;
};

using Strings = std::vector<std::string>;

TEST_F(AlarmFile, LoadReadsEveryFieldAsReadIniGivesIt)
{
    ASSERT_TRUE(load("\xEF\xBB\xBF[alarm]\r\n count = 4 \r\n"
                     "[ALARM1]\r\nState=1\r\nTime=7:00 AM\r\nmemo=\"work\"\r\n"
                     "[Alarm2]\rTime='19:30'\rMemo=" +
                     std::string(300, 'm') + "\r[Alarm3]\nTime=tea time\n[Alarm4]\n[Alarm5]\nMemo=stale\n"));
    ASSERT_EQ(table.ACount, 4);
    // The time normalised once, so the check never parses; a text that is no time stays, and never rings.
    EXPECT_EQ(table.ATime, (Strings{"", "7:00:00 AM", "7:30:00 PM", "tea time", ""}));
    EXPECT_EQ(table.AMemo, (Strings{"", "work", std::string(254, 'm'), "", ""}));
    EXPECT_EQ(table.AState, (std::vector<std::int16_t>{0, 1, 0, 0, 0}));
}

TEST_F(AlarmFile, LoadHandEditedNumbersLoadSafely)
{
    // Counts and states: only a whole number 1 is on, anything unreadable is off. Levels: Volume 0 to 100
    // and FadeIn 0, 15, 30 or 60; anything else is the default, 50 and 0.
    struct Number
    {
        std::string key; // Count in [Alarm], the others in [Alarm1]
        const char* stored;
        int read;
    };
    const Number numbers[] = {
        {.key = "Count", .stored = "-2", .read = 0},
        {.key = "Count", .stored = "2.5", .read = 0},
        {.key = "Count", .stored = "\"2\"", .read = 2},
        {.key = "Count", .stored = "99999999999999999999", .read = 32767},
        {.key = "State", .stored = "01", .read = 1},
        {.key = "State", .stored = "-1", .read = -1},
        {.key = "State", .stored = "32767", .read = 32767},
        {.key = "State", .stored = "32768", .read = 0},
        {.key = "Volume", .stored = "0", .read = 0},
        {.key = "Volume", .stored = "100", .read = 100},
        {.key = "Volume", .stored = "101", .read = 50},
        {.key = "Volume", .stored = "4O", .read = 50},
        {.key = "FadeIn", .stored = "60", .read = 60},
        {.key = "FadeIn", .stored = "20", .read = 0},
    };
    for (const Number& c : numbers) {
        SCOPED_TRACE(c.key + "=" + c.stored);
        const std::string section = c.key == "Count" ? "" : "Count=1\n[Alarm1]\n";
        ASSERT_TRUE(load("[Alarm]\n" + section + c.key + "=" + c.stored + "\n"));
        EXPECT_EQ(c.key == "Count"    ? table.ACount
                  : c.key == "State"  ? table.AState[1]
                  : c.key == "Volume" ? table.APlan[1].level.volume
                                      : table.APlan[1].level.fadeInSeconds,
                  c.read);
    }
}

// Offsets live in memory only and stay with their index; a missing file keeps the arrays.
TEST_F(AlarmFile, LoadReloadsKeepOffsetsByIndex)
{
    ASSERT_TRUE(load("[Alarm]\nCount=3\n"));
    table.ASnoozeM = {0, 5, 10, 15};
    ASSERT_TRUE(load("[Alarm]\nCount=4\n"));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10, 15, 0}));
    // Deleting alarm 2 moves the later offsets down; the freed last place starts at 0:00, so an alarm added
    // there does not inherit a snooze. Indexes outside change nothing.
    for (const int index : {0, 5, 2})
        table.removeOffsetsAt(static_cast<std::int16_t>(index));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 15, 0, 0}));
    std::filesystem::remove(path);
    EXPECT_FALSE(store::loadAlarmTable(table, path, files, localeTime));
    EXPECT_EQ(table.ACount, 4);
}

// The later alarms move down, each with the oddities it had; the last section stays, beyond the count.
TEST_F(AlarmFile, RemoveLowersTheCountAndMovesTheLaterAlarmsDown)
{
    ASSERT_TRUE(
        load("[Alarm]\r\nCount=4\r\n"
             "[Alarm1]\r\nState=1\r\nType=1234567\r\nTime=7:00 am\r\nMemo=first\r\nSound=\r\n"
             "[Alarm2]\r\nState=0\r\nType=246\r\nTime=8:15 AM\r\nMemo=second\r\nSound=\r\n"
             "[Alarm3]\r\nState=5\r\nType=17\r\nTime=19:30\r\nMemo=third one\r\nSound=\r\n"
             "[Alarm4]\r\nState=1\r\nType=3\r\nTime=12:00 PM\r\nMemo=fourth\r\nSound=/x/ring.wav\r\n"));
    ASSERT_TRUE(store::removeAlarm(table, 2, path, 0));
    // Count, then State|Type|Time|Memo|Sound of each section as the file holds it.
    Strings sections{ini::ReadIni(path, "Alarm", "Count", "?")};
    for (int i = 1; i <= 4; ++i) {
        std::string line;
        for (const char* key : {"State", "Type", "Time", "Memo", "Sound"})
            line += ini::ReadIni(path, store::alarmSection(i), key, "?") + "|";
        sections.push_back(line);
    }
    const std::string fourth = "1|3|12:00 PM|fourth|/x/ring.wav|";
    EXPECT_EQ(sections,
              (Strings{"3", "1|1234567|7:00 am|first||", "5|17|19:30|third one||", fourth, fourth}));
    // The last alarm still changes; the section beyond the count and a missing one (read as empty keys)
    // are no alarms.
    const store::AlarmRecord last{
        .state = "1", .type = "3", .memo = "fourth", .time = "12:00 PM", .sound = "/x/ring.wav"};
    store::AlarmRecord off = last;
    off.state = "0";
    store::setSoundLevel(off, {.volume = 0, .fadeInSeconds = 60});
    EXPECT_EQ(store::changeAlarm(path, 3, last, off), store::SaveResult::Saved);
    EXPECT_EQ(store::readRecord(path, 3), off);
    const store::AlarmRecord first = *store::readRecord(path, 1);
    EXPECT_EQ(store::changeAlarm(path, 1, first, first), store::SaveResult::Saved);
    EXPECT_EQ(store::findRecord(path, off), 3);
    EXPECT_EQ(store::findRecord(folder.path(), off), 0); // no file to read
    EXPECT_FALSE(store::readRecord(path, 4));
    EXPECT_FALSE(store::readRecord(path, 0));
    EXPECT_EQ(store::changeAlarm(path, 0, {}, {}), store::SaveResult::Changed);
}

// Days counted from 1970-01-01: 2026-12-07, a Monday.
constexpr std::int64_t dec7 = 20794;

// Date, Skip, Timer and PauseUntil: read when they name a day, ignored with one line on standard error
// when they do not, and kept in the record as they stand.
TEST_F(AlarmFile, LoadReadsTheDatesAndIgnoresWhatIsNoDate)
{
    testing::internal::CaptureStderr();
    ASSERT_TRUE(load("[Alarm]\nCount=4\nPauseUntil=2026-12-14\n"
                     "[Alarm1]\nType=\nTime=7:00\nDate=2026-12-08\nTimer=1\n"
                     "[Alarm2]\nType=23\nTime=7:00\nDate=2025-02-30\nSkip=8.12.2026\n"
                     "[Alarm3]\nType=17\nTime=7:00\nDate=2026-12-09\nSkip=2026-12-08\n"
                     "[Alarm4]\nTime=7:00\nTimer=1\n"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "wakery: Data.ini [Alarm2] Date=2025-02-30 is not a date (YYYY-MM-DD); ignored\n"
              "wakery: Data.ini [Alarm2] Skip=8.12.2026 is not a date (YYYY-MM-DD); ignored\n");
    EXPECT_EQ(table.pauseUntil, dec7 + 7);
    EXPECT_EQ(table.APlan[1].date, dec7 + 1);
    EXPECT_TRUE(table.APlan[1].removeWhenAnswered);
    EXPECT_FALSE(table.APlan[2].date || table.APlan[2].skip);
    EXPECT_EQ(store::tableRecord(table, 2).date, "2025-02-30");
    EXPECT_EQ(table.APlan[3].skip, dec7 + 1);
    EXPECT_FALSE(table.APlan[4].removeWhenAnswered); // a timer needs its date
    ASSERT_TRUE(load("[Alarm]\nCount=0\nPauseUntil=2026-13-01\n"));
    EXPECT_EQ(table.pauseUntil, std::nullopt);
}

// The keys go with their alarm when it moves down, a Skip before today goes, and a section reused beyond
// the count keeps none of them, nor a level at its default; a one-off answered is switched off, a timer
// deleted.
TEST_F(AlarmFile, DatesMoveWithTheirAlarmAndNeverOutliveIt)
{
    ASSERT_TRUE(load("[Alarm]\nCount=3\n"
                     "[Alarm1]\nState=1\nType=1\nTime=7:00\nMemo=a\nSound=\n"
                     "[Alarm2]\nState=1\nType=\nTime=7:00\nMemo=b\nSound=\nDate=2026-12-09\nSkip=2026-12-06\n"
                     "Timer=1\nVolume=loud\n[Alarm3]\nState=1\nType=2\nTime=7:00\nMemo=c\nSound=\n"
                     "Skip=2026-12-07\nVolume=0\nFadeIn=30\n"));
    ASSERT_TRUE(store::removeAlarm(table, 1, path, dec7));
    EXPECT_EQ(store::readRecord(path, 1),
              (store::AlarmRecord{"1", "", "b", "7:00", "", "2026-12-09", "", "1", "loud"}));
    EXPECT_EQ(store::readRecord(path, 2),
              (store::AlarmRecord{"1", "2", "c", "7:00", "", "", "2026-12-07", "", "0", "30"}));
    std::int16_t added = 0;
    store::AlarmRecord atDefault{"1", "5", "d", "9:00", ""};
    store::setSoundLevel(atDefault, {});
    ASSERT_EQ(store::addAlarm(path, atDefault, added), store::SaveResult::Saved);
    EXPECT_EQ(added, 3);
    EXPECT_EQ(folder.read("Data.ini").substr(folder.read("Data.ini").find("[Alarm3]")),
              "[Alarm3]\nState=1\nType=5\nTime=9:00\nMemo=d\nSound=\n");

    ASSERT_TRUE(store::loadAlarmTable(table, path, files, localeTime));
    EXPECT_FALSE(store::retireOneOff(table, 2, path, dec7)); // weekly
    EXPECT_FALSE(store::writeSkip(table, 4, dec7, path));
    ASSERT_TRUE(store::writeSkip(table, 2, dec7 + 1, path));
    EXPECT_EQ(store::readRecord(path, 2)->skip, "2026-12-08");
    ASSERT_TRUE(store::retireOneOff(table, 1, path, dec7));
    EXPECT_EQ(ini::ReadIni(path, "Alarm", "Count", ""), "2");
    EXPECT_EQ(store::readRecord(path, 1)->memo, "c");
    ASSERT_TRUE(load("[Alarm]\nCount=1\n[Alarm1]\nState=1\nTime=7:00\nDate=2026-12-09\n"));
    ASSERT_TRUE(store::retireOneOff(table, 1, path, dec7));
    EXPECT_EQ(folder.read("Data.ini"), "[Alarm]\nCount=1\n[Alarm1]\nState=0\nTime=7:00\nDate=2026-12-09\n");
}

} // namespace
