#include "store/AlarmCommands.h"
#include "store/AlarmLoad.h"
#include "store/ini.h"

#include "fakes/FakeLocaleTime.h"
#include "fakes/TempFolder.h"
#include "platform/StdFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Four alarms, each with an oddity that a move must carry over unchanged: a lower-case stored time, a
// hand-written state 5, a 24-hour time and a sound path.
const char* const fourAlarms =
    "[Alarm]\r\nCount=4\r\nDSnooze=0:10\r\n"
    "[Alarm1]\r\nState=1\r\nType=1234567\r\nTime=7:00 am\r\nMemo=first\r\nSound=\r\n"
    "[Alarm2]\r\nState=0\r\nType=246\r\nTime=8:15 AM\r\nMemo=second\r\nSound=\r\n"
    "[Alarm3]\r\nState=5\r\nType=17\r\nTime=19:30\r\nMemo=third one\r\nSound=\r\n"
    "[Alarm4]\r\nState=1\r\nType=3\r\nTime=12:00 PM\r\nMemo=fourth\r\nSound=/x/ring.wav\r\n";

class AlarmCommands : public testing::Test
{
protected:
    void load(const std::string& content)
    {
        folder.write("Data.ini", content);
        ASSERT_TRUE(store::loadAlarmTable(table, ini(), files, locale));
    }
    std::string ini() const { return folder.file("Data.ini"); }
    // Count, then State|Type|Time|Memo|Sound of each section as the file holds it.
    std::vector<std::string> sections(int count) const
    {
        std::vector<std::string> out{ini::ReadIni(ini(), "Alarm", "Count", "?")};
        for (int i = 1; i <= count; ++i) {
            std::string line;
            for (const char* key : {"State", "Type", "Time", "Memo", "Sound"})
                line += ini::ReadIni(ini(), store::alarmSection(i), key, "?") + "|";
            out.push_back(line);
        }
        return out;
    }
    fakes::TempFolder folder;
    platform::StdFiles files{folder.path()};
    fakes::FakeLocaleTime locale;
    store::AlarmTable table;
};

// The later alarms move down; the last section stays in the file, beyond the count.
TEST_F(AlarmCommands, RemoveLowersTheCountAndMovesTheLaterAlarmsDown)
{
    const std::string first = "1|1234567|7:00 am|first||", second = "0|246|8:15 AM|second||";
    const std::string third = "5|17|19:30|third one||", fourth = "1|3|12:00 PM|fourth|/x/ring.wav|";
    const std::pair<std::int16_t, std::vector<std::string>> cases[] = {
        {1, {"3", second, third, fourth, fourth}},
        {2, {"3", first, third, fourth, fourth}},
        {4, {"3", first, second, third, fourth}}};
    for (const auto& [index, after] : cases) {
        load(fourAlarms);
        ASSERT_TRUE(store::removeAlarm(table, index, ini()));
        EXPECT_EQ(sections(4), after) << index;
        EXPECT_EQ(ini::ReadIni(ini(), "Alarm", "DSnooze", ""), "0:10");
    }
    load("[Alarm]\nCount=1\n[Alarm1]\nMemo=only\n");
    ASSERT_TRUE(store::removeAlarm(table, 1, ini()));
    EXPECT_EQ(sections(0), (std::vector<std::string>{"0"}));
}

// Only 1 counts as on, so every other stored value, hand-written or unreadable, switches the alarm on.
TEST_F(AlarmCommands, ToggleWritesTheOtherState)
{
    for (const auto& [stored, written] :
         {std::pair{"1", "0|"}, {"0", "1|"}, {"5", "1|"}, {"-1", "1|"}, {"on", "1|"}}) {
        load(std::string("[Alarm]\nCount=2\n[Alarm1]\nState=1\n[Alarm2]\nState=") + stored + "\nMemo=m\n");
        ASSERT_TRUE(store::writeToggledState(table, 2, ini()));
        EXPECT_EQ(sections(2),
                  (std::vector<std::string>{"2", "1|?|?|?|?|", std::string(written) + "?|?|m|?|"}));
    }
}

// An index outside the table, a table shorter than its count, or a file that cannot be replaced (Data.ini
// turned into a folder after the load): false, and the file as it was.
TEST_F(AlarmCommands, CommandsThatCannotBeDoneChangeNothing)
{
    load(fourAlarms);
    for (const int i : {0, -1, 5, 32767}) {
        const auto index = static_cast<std::int16_t>(i);
        EXPECT_FALSE(store::removeAlarm(table, index, ini())) << index;
        EXPECT_FALSE(store::writeToggledState(table, index, ini())) << index;
    }
    table.ASound.pop_back();
    EXPECT_FALSE(store::removeAlarm(table, 2, ini()));
    EXPECT_EQ(folder.read("Data.ini"), fourAlarms);
    load(fourAlarms);
    std::filesystem::remove(ini());
    std::filesystem::create_directory(ini());
    EXPECT_FALSE(store::removeAlarm(table, 2, ini()));
    EXPECT_FALSE(store::writeToggledState(table, 2, ini()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary left";
}

// Deleting alarm 2 moves the later offsets down with their alarms; the freed last place starts at 0:00, so
// an alarm added there does not inherit a snooze.
TEST(AlarmTable, RemovingOffsetsMovesTheLaterOnesDown)
{
    store::AlarmTable table;
    table.ACount = 3;
    table.resize(3);
    table.ASnoozeH = {0, 1, 2, 3};
    table.ASnoozeM = {0, 5, 10, 15};
    for (const int outside : {0, -1, 4})
        table.removeOffsetsAt(static_cast<std::int16_t>(outside));
    table.removeOffsetsAt(2);
    EXPECT_EQ(table.ASnoozeH, (std::vector<std::int16_t>{0, 1, 3, 0}));
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 15, 0}));
}

} // namespace
