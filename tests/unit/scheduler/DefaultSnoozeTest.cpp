#include "scheduler/DefaultSnooze.h"

#include "fakes/FakeDialogs.h"
#include "fakes/TempFolder.h"

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
