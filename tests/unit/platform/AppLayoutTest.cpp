#include "platform/AppLayout.h"

#include <gtest/gtest.h>

#include <set>

TEST(AppLayout, ConfigHomeFollowsXdgRules)
{
    EXPECT_EQ(platform::configHome("/cfg", "/home/u"), "/cfg");
    EXPECT_EQ(platform::configHome("", "/home/u"), "/home/u/.config");
    EXPECT_EQ(platform::configHome("cfg", "/home/u"), "/home/u/.config"); // a relative one is ignored
    EXPECT_EQ(platform::configHome("", ""), "");
}

struct LayoutCase
{
    std::set<std::string> beside; // what lies in the program's folder
    const char* dataFolder;
    const char* defaultSound;
    const char* soundModule;
};

// The program lies in /p/bin; the user's configuration folder is /c.
const LayoutCase layoutCases[] = {
    // A copied folder (or the build folder): everything beside the program.
    {{"default.wav", "m.so"}, "/p/bin", "/p/bin/default.wav", "/p/bin/m.so"},
    // Installed: a Data.ini left beside the program does not make it portable.
    {{"Data.ini"}, "/c/Wakery", "/p/share/wakery/default.wav", "/p/lib/wakery/m.so"},
    {{"m.so"}, "/c/Wakery", "/p/share/wakery/default.wav", "/p/bin/m.so"},
};

TEST(AppLayout, TellsPortableFromInstalled)
{
    for (const LayoutCase& c : layoutCases) {
        const platform::AppLayout layout = platform::resolveLayout(
            "/p/bin", {"../share/wakery", "../lib/wakery", "m.so"}, "/c", [&c](const std::string& path) {
                return path.rfind("/p/bin/", 0) == 0 && c.beside.count(path.substr(7));
            });
        EXPECT_EQ(layout.dataFolder, c.dataFolder);
        EXPECT_EQ(layout.portable, layout.dataFolder == "/p/bin");
        EXPECT_EQ(layout.defaultSound, c.defaultSound);
        EXPECT_EQ(layout.soundModule, c.soundModule);
    }
}
