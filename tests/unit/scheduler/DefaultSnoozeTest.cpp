#include "scheduler/DefaultSnooze.h"

#include "fakes/FakeDialogs.h"
#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(StoreDefaultSnooze, InvalidDurationIsReportedAndNothingIsWritten)
{
    for (const char* typed : {"13:00", "1:30 PM", "abc", ":123"}) {
        SCOPED_TRACE(typed);
        fakes::TempFolder folder;
        fakes::FakeDialogs dialogs;
        std::string box = typed;
        EXPECT_FALSE(scheduler::storeDefaultSnooze(box, folder.file("Data.ini"), dialogs));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(dialogs.shown[0].title, "Wakery");
        EXPECT_EQ(dialogs.shown[0].text, "Please enter a valid duration.");
        EXPECT_FALSE(std::filesystem::exists(folder.file("Data.ini")));
    }
}

TEST(StoreDefaultSnooze, StoresTheRepairedBoxTextAsTyped)
{
    struct Case
    {
        const char* typed;
        const char* stored;
    };
    for (const Case c : {Case{"0:10", "0:10"}, Case{":30", "00:30"}, Case{"5:", "5:00"},
                         Case{" 0:05 ", " 0:05 "}, Case{"1:  05", "1:  05"}}) {
        SCOPED_TRACE(c.typed);
        fakes::TempFolder folder;
        folder.write("Data.ini", "[Alarm]\r\nCount=1\r\nDSnooze=0:05\r\n[Alarm1]\r\nMemo=keep\r\n");
        fakes::FakeDialogs dialogs;
        std::string box = c.typed;
        EXPECT_TRUE(scheduler::storeDefaultSnooze(box, folder.file("Data.ini"), dialogs));
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(box, c.stored);
        EXPECT_EQ(folder.read("Data.ini"),
                  "[Alarm]\r\nCount=1\r\nDSnooze=" + std::string(c.stored) + "\r\n[Alarm1]\r\nMemo=keep\r\n");
    }
    // The first Set of a fresh installation creates the file.
    fakes::TempFolder folder;
    fakes::FakeDialogs dialogs;
    std::string box = "0:10";
    EXPECT_TRUE(scheduler::storeDefaultSnooze(box, folder.file("Data.ini"), dialogs));
    EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "Alarm", "DSnooze", ""), "0:10");
}

TEST(StoreDefaultSnooze, UnwritableFolderIsReported)
{
    fakes::TempFolder folder;
    folder.write("file", "");
    fakes::FakeDialogs dialogs;
    std::string box = ":30";
    // A path under a plain file can not be written, not even by root.
    EXPECT_FALSE(scheduler::storeDefaultSnooze(box, folder.file("file") + "/Data.ini", dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].text, "The change could not be saved.");
    EXPECT_EQ(box, "00:30");
}

} // namespace
