// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppLayout.h"
#include "platform/UserFolders.h"

#include <gtest/gtest.h>

#include <set>

TEST(AppLayout, ConfigHomeFollowsXdgRules)
{
#ifdef _WIN32
    GTEST_SKIP() << "the XDG folders and the installed layout with '/' paths are the Linux desktop's";
#else
    ::setenv("HOME", "/h", 1), ::unsetenv("XDG_CONFIG_HOME"); // as a session sets them
    EXPECT_EQ(platform::userConfigHome(), "/h/.config");
#endif
    EXPECT_EQ(platform::configHome("/cfg", "/home/u"), "/cfg");
    EXPECT_EQ(platform::configHome("cfg", "/home/u"), "/home/u/.config"); // a relative one is ignored
    EXPECT_EQ(platform::configHome("", ""), "");
}

// The program lies in /p/bin; the user's configuration folder is /c. A copied folder (or the build folder)
// has everything beside the program; installed, a Data.ini left beside the program does not make it portable.
TEST(AppLayout, TellsPortableFromInstalled)
{
#ifdef _WIN32
    GTEST_SKIP() << "the XDG folders and the installed layout with '/' paths are the Linux desktop's";
#endif
    struct Layout
    {
        std::set<std::string> beside; // files beside the program
        const char *dataFolder, *defaultSound, *soundModule;
    };
    const Layout cases[] = {
        {.beside = {"default.wav", "m.so"},
         .dataFolder = "/p/bin",
         .defaultSound = "/p/bin/default.wav",
         .soundModule = "/p/bin/m.so"},
        {.beside = {"Data.ini"},
         .dataFolder = "/c/Wakery",
         .defaultSound = "/p/share/wakery/default.wav",
         .soundModule = "/p/lib/wakery/m.so"},
    };
    for (const auto& [beside, dataFolder, defaultSound, soundModule] : cases) {
        const platform::AppLayout layout = platform::resolveLayout(
            "/p/bin", {"../share/wakery", "../lib/wakery", "m.so"}, "/c", [&](const std::string& path) {
                return path.rfind("/p/bin/", 0) == 0 && beside.count(path.substr(7));
            });
        EXPECT_EQ(layout.dataFolder, dataFolder);
        EXPECT_EQ(layout.portable, layout.dataFolder == "/p/bin");
        EXPECT_EQ(layout.defaultSound, defaultSound);
        EXPECT_EQ(layout.soundModule, soundModule);
    }
}
