#include "platform/AppLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct HomeCase
{
    const char* name;
    const char* xdgConfigHome;
    const char* home;
    const char* expected;
};

const HomeCase homeCases[] = {
    {"XdgWins", "/cfg", "/home/u", "/cfg"},
    {"UnsetXdgFallsBackToHome", "", "/home/u", "/home/u/.config"},
    {"RelativeXdgIsIgnored", "cfg", "/home/u", "/home/u/.config"},
    {"NothingKnown", "", "", ""},
};

TEST(AppLayout, ConfigHomeFollowsXdgRules)
{
    for (const HomeCase& c : homeCases)
        EXPECT_EQ(platform::configHome(c.xdgConfigHome, c.home), c.expected) << c.name;
}

struct LayoutCase
{
    const char* name;
    std::set<std::string> files; // what lies in the program's folder
    bool portable;
    const char* dataFolder;
    const char* defaultSound;
    const char* soundModule;
};

const LayoutCase layoutCases[] = {
    {"CopiedFolderIsPortable",
     {"default.wav", "wakery_sound.so"},
     true,
     "/opt/w/bin",
     "/opt/w/bin/default.wav",
     "/opt/w/bin/wakery_sound.so"},
    {"InstalledUsesConfigAndInstalledFiles",
     {},
     false,
     "/home/u/.config/Wakery",
     "/opt/w/share/wakery/default.wav",
     "/opt/w/lib/x86_64-linux-gnu/wakery/wakery_sound.so"},
    // A Data.ini left beside an installed program does not make it portable.
    {"DataIniAloneDoesNotMakeItPortable",
     {"Data.ini"},
     false,
     "/home/u/.config/Wakery",
     "/opt/w/share/wakery/default.wav",
     "/opt/w/lib/x86_64-linux-gnu/wakery/wakery_sound.so"},
    {"ModuleBesideIsTakenFirst",
     {"wakery_sound.so"},
     false,
     "/home/u/.config/Wakery",
     "/opt/w/share/wakery/default.wav",
     "/opt/w/bin/wakery_sound.so"},
};

TEST(AppLayout, TellsPortableFromInstalled)
{
    const platform::InstallDirs dirs{"../share/wakery", "../lib/x86_64-linux-gnu/wakery", "wakery_sound.so"};
    for (const LayoutCase& c : layoutCases) {
        SCOPED_TRACE(c.name);
        const platform::AppLayout layout =
            platform::resolveLayout("/opt/w/bin", dirs, "/home/u/.config", [&c](const std::string& path) {
                const std::string prefix = "/opt/w/bin/";
                return path.rfind(prefix, 0) == 0 && c.files.count(path.substr(prefix.size())) > 0;
            });
        EXPECT_EQ(layout.portable, c.portable);
        EXPECT_EQ(layout.dataFolder, c.dataFolder);
        EXPECT_EQ(layout.defaultSound, c.defaultSound);
        EXPECT_EQ(layout.soundModule, c.soundModule);
    }
}

} // namespace
