// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string program = "/usr/bin/wakery";
const std::string ours = platform::autostartEntry(program);

// Desktop entries unescape the value as a string first, then split the command line.
TEST(Autostart, ExecQuotesAndEscapesThePath)
{
    EXPECT_EQ(platform::desktopExec("/x/a b$c`d\"e\\f%g"), R"("/x/a b\\$c\\`d\\"e\\\\f%%g")");
    EXPECT_EQ(platform::desktopExec("/x/line\nbreak"), "");
}

TEST(Autostart, ReadsTheFileAsTheDesktopDoes)
{
    struct Entry
    {
        std::string content;
        bool starts;
    };
    const Entry entries[] = {
        {.content = ours, .starts = true},
        {.content = ours + " Hidden = true \n", .starts = false},
        {.content = ours + "[Desktop Action x]\nHidden=true\n", .starts = true},
        {.content = "[Other]\nExec=\"/usr/bin/wakery\"\n", .starts = false},
    };
    for (const Entry& c : entries)
        EXPECT_EQ(platform::startsProgram(c.content, program), c.starts) << c.content;
}

// Written into new folders, over a foreign file, and removed.
TEST(Autostart, WrittenOverForeignFilesAndRemoved)
{
    fakes::TempFolder folder;
    const std::string path = platform::autostartFilePath(folder.file("config"));
    platform::AutostartFile autostart(path, program);
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_EQ(folder.read("config/autostart/org.wakery.Wakery.desktop"), ours);
    folder.write("config/autostart/org.wakery.Wakery.desktop", "[Desktop Entry]\nExec=/usr/bin/other\n");
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(autostart.isEnabled());
}

} // namespace
