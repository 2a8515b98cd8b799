#include "platform/Autostart.h"

#include "fakes/TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

const std::string program = "/usr/bin/wakery";

struct ExecCase
{
    const char* path;
    const char* exec;
};

// Desktop entries unescape the value as a string first, then split the command line.
const ExecCase execCases[] = {
    {"/usr/bin/wakery", R"("/usr/bin/wakery")"}, {"/home/u/my apps/wakery", R"("/home/u/my apps/wakery")"},
    {"/x/a$b`c\"d", R"("/x/a\\$b\\`c\\"d")"},    {"/x/back\\slash", R"("/x/back\\\\slash")"},
    {"/x/100%/wakery", R"("/x/100%%/wakery")"},  {"/x/line\nbreak", ""},
};

TEST(Autostart, ExecQuotesAndEscapesThePath)
{
    for (const ExecCase& c : execCases)
        EXPECT_EQ(platform::desktopExec(c.path), c.exec) << c.path;
}

struct EntryCase
{
    const char* name;
    std::string content;
    bool on;
};

const std::string ours = platform::autostartEntry(program);

const EntryCase entryCases[] = {
    {"ours", ours, true},
    {"hidden", ours + "Hidden=true\n", false},
    {"gnomeDisabled", ours + "X-GNOME-Autostart-enabled=false\n", false},
    {"anotherProgram", "[Desktop Entry]\nType=Application\nExec=/usr/bin/other\n", false},
    {"samePathUnquoted", "[Desktop Entry]\nExec=/usr/bin/wakery\n", false},
    {"hiddenInAnotherGroup", ours + "[Desktop Action x]\nHidden=true\n", true},
    {"execOutsideTheEntry", "[Other]\nExec=\"/usr/bin/wakery\"\n", false},
    {"noGroupAtAll", "Exec=\"/usr/bin/wakery\"\n", false},
    {"empty", "", false},
};

TEST(Autostart, ReadsTheFileAsTheDesktopDoes)
{
    for (const EntryCase& c : entryCases)
        EXPECT_EQ(platform::startsProgram(c.content, program), c.on) << c.name;
    EXPECT_NE(ours.find("X-GNOME-Autostart-Delay="), std::string::npos);
}

TEST(Autostart, FileIsWrittenIntoNewFoldersAndRemoved)
{
    fakes::TempFolder folder;
    const std::string path = platform::autostartFilePath(folder.file("config"));
    platform::AutostartFile autostart(path, program);
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_EQ(folder.read("config/autostart/org.wakery.Wakery.desktop"), ours);
    const auto perms = std::filesystem::status(folder.file("config")).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(autostart.setEnabled(false));
}

TEST(Autostart, AForeignFileReadsOffAndIsReplaced)
{
    fakes::TempFolder folder;
    folder.write("other.desktop", "[Desktop Entry]\nExec=/usr/bin/other\n");
    platform::AutostartFile autostart(folder.file("other.desktop"), program);
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_EQ(folder.read("other.desktop"), ours);
}

TEST(Autostart, ChangesThatCannotBeMadeFail)
{
    fakes::TempFolder folder;
    EXPECT_FALSE(platform::AutostartFile(folder.file("a.desktop"), "/x/line\nbreak").setEnabled(true));
    folder.write("config", "a file where the folder should be");
    platform::AutostartFile autostart(platform::autostartFilePath(folder.file("config")), program);
    EXPECT_FALSE(autostart.setEnabled(true));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_EQ(folder.read("config"), "a file where the folder should be");
}

} // namespace
