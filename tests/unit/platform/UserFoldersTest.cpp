// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserFolders.h"

#include <gtest/gtest.h>

TEST(UserFolders, ConfigHomeFollowsXdgRules)
{
#ifdef _WIN32
    GTEST_SKIP() << "the XDG folders are the Linux desktop's";
#else
    ::setenv("HOME", "/h", 1), ::unsetenv("XDG_CONFIG_HOME"); // as a session sets them
    EXPECT_EQ(platform::userConfigHome(), "/h/.config");
#endif
    EXPECT_EQ(platform::configHome("/cfg", "/home/u"), "/cfg");
    EXPECT_EQ(platform::configHome("cfg", "/home/u"), "/home/u/.config"); // a relative one is ignored
    EXPECT_EQ(platform::configHome("", ""), "");
}
