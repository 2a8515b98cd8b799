// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

// $XDG_RUNTIME_DIR only when it is a folder closed to others, else wakery-<uid> in the temporary folder,
// made closed when absent and refused when someone left it open.
TEST(RuntimeFolder, TakesOnlyAFolderClosedToOthers)
{
    const fakes::TempFolder folder;
    const std::string own = folder.file("wakery-" + std::to_string(::geteuid())), tmp = folder.path();
    ::mkdir(folder.file("closed").c_str(), 0700);
    ::mkdir(folder.file("open").c_str(), 0700);
    ::chmod(folder.file("open").c_str(), 0750);
    const auto setEnv = [](const char* name, const char* value) {
        return value == nullptr ? ::unsetenv(name) : ::setenv(name, value, 1);
    };
    const std::string keptTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : ""; // for the tests after
    setEnv("TMPDIR", tmp.c_str());
    struct Runtime
    {
        const char* runtime; // XDG_RUNTIME_DIR, "/x" for x in the temporary folder; none unset
        mode_t ownMode = 0;  // wakery-<uid> made beforehand with these permissions; 0 absent
        std::string folder;  // taken
        const char* why = "";
    };
    const Runtime cases[] = {
        {.runtime = "/closed", .folder = folder.file("closed")},
        {.runtime = "/open", .folder = own, .why = "open is open to other users"},
        {.runtime = nullptr, .ownMode = 0701, .folder = "", .why = " is open to other users"},
    };
    for (const auto& [runtime, ownMode, expected, why] : cases) {
        std::filesystem::remove(own);
        if (ownMode != 0)
            ::mkdir(own.c_str(), 0700), ::chmod(own.c_str(), ownMode);
        const std::string value = runtime == nullptr ? "" : runtime[0] == '/' ? tmp + runtime : runtime;
        setEnv("XDG_RUNTIME_DIR", runtime == nullptr ? nullptr : value.c_str());
        std::string reason;
        EXPECT_EQ(platform::privateRuntimeFolder(reason), expected) << (runtime ? runtime : "none");
        EXPECT_TRUE(reason.ends_with(why)) << reason;
        EXPECT_TRUE(expected != own ||
                    std::filesystem::status(own).permissions() == std::filesystem::perms::owner_all);
    }
    setEnv("TMPDIR", keptTmp.empty() ? nullptr : keptTmp.c_str());
}
