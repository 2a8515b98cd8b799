// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"
#include "platform/Files.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const std::string& path)
{
    struct stat info = {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A replaced file keeps the permissions its owner gave it; a new one gets 0666 less the umask.
TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces)
{
    const fakes::TempFolder folder;
    const mode_t oldMask = ::umask(027);
    folder.write("kept.ini", "old");
    ::chmod(folder.file("kept.ini").c_str(), 0604);
    EXPECT_TRUE(platform::replaceFileAtomically(folder.file("kept.ini"), "new"));
    EXPECT_TRUE(platform::replaceFileAtomically(folder.file("new.ini"), "new"));
    ::umask(oldMask);
    EXPECT_EQ(modeOf(folder.file("kept.ini")), 0604u);
    EXPECT_EQ(modeOf(folder.file("new.ini")), 0640u);
    EXPECT_EQ(folder.read("kept.ini"), "new");
    EXPECT_FALSE(platform::replaceFileAtomically(folder.path(), "a folder cannot be replaced"));
}

struct Folders
{
    const char* name;
    std::string made; // under the test's folder
    bool there;
};

TEST(AtomicFile, MakesTheMissingFoldersAboveAndNothingThroughAFile)
{
    const fakes::TempFolder folder;
    folder.write("file", "");
    const Folders cases[] = {
        {.name = "three levels at once", .made = "a/b/c", .there = true},
        {.name = "one that is there", .made = "a/b", .there = true},
        {.name = "below a file", .made = "file/sub", .there = false},
        {.name = "a file in its place", .made = "file", .there = false},
        {.name = "a name too long for the file system", .made = std::string(300, 'x'), .there = false},
    };
    for (const Folders& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::makeFolders(folder.file(c.made)), c.there);
        EXPECT_TRUE(!c.there || modeOf(folder.file(c.made)) == 0700u);
    }
}

// Only a regular file has a stamp, and its size is the file's.
TEST(FileStamp, OnlyForARegularFile)
{
    const fakes::TempFolder folder;
    folder.write("Data.ini", "12345");
    EXPECT_TRUE(platform::statFile(folder.file("Data.ini")).exists);
    EXPECT_EQ(platform::statFile(folder.file("Data.ini")).size, 5u);
    EXPECT_FALSE(platform::statFile(folder.path()).exists);
    EXPECT_FALSE(platform::statFile(folder.file("gone")).exists);
}

} // namespace
