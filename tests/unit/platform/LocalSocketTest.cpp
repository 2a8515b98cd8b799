// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalSocket.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/un.h>

// A listener that only this user reaches: a start connects, is taken from the queue and answered; a second
// listener at the path is refused as in use; the file a copy that ended left behind connects nowhere.
TEST(LocalSocket, ListensConnectsAndAnswers)
{
    const fakes::TempFolder folder;
    const std::string path = folder.file("guard");
    bool inUse = true, busy = true;
    std::string tooLong = folder.file("x"); // no address can hold it with its end mark
    tooLong.resize(sizeof(sockaddr_un::sun_path), 'x');
    EXPECT_TRUE(platform::listenLocal(tooLong, inUse) == -1 && platform::connectLocal(tooLong, busy) == -1);
    EXPECT_FALSE(inUse);
    const int listener = platform::listenLocal(path, inUse);
    ASSERT_GE(listener, 0);
    struct stat info = {};
    EXPECT_TRUE(::stat(path.c_str(), &info) == 0 && (info.st_mode & 0777) == 0600);
    EXPECT_EQ(platform::listenLocal(path, inUse), -1);
    EXPECT_TRUE(inUse);
    const int start = platform::connectLocal(path, busy), accepted = platform::acceptLocal(listener);
    ASSERT_TRUE(start >= 0 && accepted >= 0 && !busy);
    EXPECT_EQ(platform::acceptLocal(listener), -1);
    EXPECT_FALSE(platform::receivedLocal(start));
    EXPECT_TRUE(platform::sendLocal(accepted, "shown\n"));
    EXPECT_TRUE(platform::receivedLocal(start));
    platform::closeLocal(accepted);
    EXPECT_FALSE(platform::receivedLocal(start)); // an end of file is no answer
    for (const int fd : {start, listener})
        platform::closeLocal(fd);
    EXPECT_FALSE(platform::sendLocal(accepted, "x"));
    EXPECT_EQ(platform::connectLocal(path, busy), -1);
    EXPECT_FALSE(busy);
    platform::removeLocal(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}
