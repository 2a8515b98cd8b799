#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

namespace {
int umaskCalls = 0;
}

// Every umask() call in this test program lands here: a save must not set the mask even for a moment, as
// another thread creating a file meanwhile would get the wrong permissions.
extern "C" mode_t umask(mode_t mask) noexcept
{
    ++umaskCalls;
    static const auto real = reinterpret_cast<mode_t (*)(mode_t)>(::dlsym(RTLD_NEXT, "umask"));
    return real(mask);
}

TEST(SaveUmask, SavingNeverSetsTheProcessMask)
{
    fakes::TempFolder folder;
    umaskCalls = 0;
    EXPECT_TRUE(ini::WriteIni(folder.file("Data.ini"), "Alarm", "Count", "1"));
    EXPECT_TRUE(ini::WriteIni(folder.file("Data.ini"), "Alarm", "Count", "2"));
    EXPECT_EQ(umaskCalls, 0);
}
