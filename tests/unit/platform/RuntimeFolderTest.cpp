// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

// $XDG_RUNTIME_DIR only when it is a real folder closed to others, else wakery-<uid> in the temporary
// folder, made closed when absent and refused when someone left it open or made it (as root only).
TEST(RuntimeFolder, TakesOnlyAFolderClosedToOthers)
{
    const fakes::TempFolder folder;
    const std::string own = folder.file("wakery-" + std::to_string(::geteuid())), tmp = folder.path();
    ::mkdir(folder.file("closed").c_str(), 0700);
    ::mkdir(folder.file("open").c_str(), 0700);
    ::chmod(folder.file("open").c_str(), 0750);
    ::symlink("closed", folder.file("link").c_str());
    folder.write("file", "");
    const auto setEnv = [](const char* name, const char* value) {
        return value == nullptr ? ::unsetenv(name) : ::setenv(name, value, 1);
    };
    const std::string keptTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : ""; // for the tests after
    setEnv("TMPDIR", tmp.c_str());
    const std::tuple<const char*, mode_t, std::string, const char*> cases[] = {
        {"/closed", 0, folder.file("closed"), ""},
        {"/open", 0, own, "open is open to other users"},
        {"/link", 0, own, "link is not a folder"},
        {"/file", 0, own, "file is not a folder"},
        {"closed", 0, own, ""},
        {nullptr, 0700, own, ""},
        {nullptr, 0701, "", " is open to other users"},
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
    if (::geteuid() == 0 && ::chmod(own.c_str(), 0700) == 0 && ::chown(own.c_str(), 65534, 65534) == 0) {
        std::string reason;
        EXPECT_EQ(platform::privateRuntimeFolder(reason), "");
        EXPECT_TRUE(reason.ends_with(" belongs to another user")) << reason;
    }
    setEnv("TMPDIR", keptTmp.empty() ? nullptr : keptTmp.c_str());
}
