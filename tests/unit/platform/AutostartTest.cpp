#include "platform/Autostart.h"

#include "fakes/TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

const std::string program = "/usr/bin/wakery";
const std::string ours = platform::autostartEntry(program);

TEST(Autostart, ExecQuotesAndEscapesThePath)
{
    // Desktop entries unescape the value as a string first, then split the command line.
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/wakery", R"("/usr/bin/wakery")"},
        {"/home/u/my apps/wakery", R"("/home/u/my apps/wakery")"},
        {"/x/a$b`c\"d", R"("/x/a\\$b\\`c\\"d")"},
        {"/x/back\\slash", R"("/x/back\\\\slash")"},
        {"/x/100%/wakery", R"("/x/100%%/wakery")"},
        {"/x/line\nbreak", ""},
    };
    for (const auto& [path, exec] : cases)
        EXPECT_EQ(platform::desktopExec(path), exec) << path;
}

TEST(Autostart, ReadsTheFileAsTheDesktopDoes)
{
    const std::pair<std::string, bool> cases[] = {
        {ours, true},
        {ours + "Hidden=true\n", false},
        {ours + "X-GNOME-Autostart-enabled=false\n", false},
        {ours + "[Desktop Action x]\nHidden=true\n", true},
        {"[Desktop Entry]\nType=Application\nExec=/usr/bin/other\n", false},
        {"[Desktop Entry]\nExec=/usr/bin/wakery\n", false},
        {"[Other]\nExec=\"/usr/bin/wakery\"\n", false},
        {"Exec=\"/usr/bin/wakery\"\n", false},
        {"", false},
    };
    for (const auto& [content, on] : cases)
        EXPECT_EQ(platform::startsProgram(content, program), on) << content;
    EXPECT_NE(ours.find("X-GNOME-Autostart-Delay="), std::string::npos);
}

TEST(Autostart, WrittenIntoNewPrivateFoldersOverForeignFilesAndRemoved)
{
    fakes::TempFolder folder;
    const std::string path = platform::autostartFilePath(folder.file("config"));
    platform::AutostartFile autostart(path, program);
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_EQ(folder.read("config/autostart/org.wakery.Wakery.desktop"), ours);
    const auto perms = std::filesystem::status(folder.file("config")).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);

    folder.write("config/autostart/org.wakery.Wakery.desktop", "[Desktop Entry]\nExec=/usr/bin/other\n");
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(autostart.isEnabled());
}

TEST(Autostart, ChangesThatCannotBeMadeFail)
{
    fakes::TempFolder folder;
    EXPECT_FALSE(platform::AutostartFile(folder.file("a.desktop"), "/x/line\nbreak").setEnabled(true));
    folder.write("config", "a file where the folder should be");
    EXPECT_FALSE(platform::AutostartFile(platform::autostartFilePath(folder.file("config")), program)
                     .setEnabled(true));
    EXPECT_EQ(folder.read("config"), "a file where the folder should be");
}

} // namespace
