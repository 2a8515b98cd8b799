// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelperProcess.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>

// A helper answers a line on its descriptor 3; reading never waits; a program that is not there is no
// helper.
TEST(HelperProcess, StartsAnswersAndEnds)
{
    const fakes::TempFolder folder;
    folder.write("helper", "#!/bin/sh\nread line <&3\necho \"got $line\" >&3\n");
    ::chmod(folder.file("helper").c_str(), 0700);
    platform::HelperProcess helper = platform::startHelper(folder.file("helper"));
    ASSERT_GE(helper.pid, 0) << helper.error;
    bool ended = false;
    EXPECT_EQ(platform::readHelper(helper.fd, ended), "");
    EXPECT_TRUE(platform::writeHelper(helper.fd, "hi\n"));
    std::string answer;
    pollfd wait{.fd = helper.fd, .events = POLLIN, .revents = 0};
    while (!ended && ::poll(&wait, 1, 5000) > 0)
        answer += platform::readHelper(helper.fd, ended);
    EXPECT_EQ(answer, "got hi\n");
    platform::endHelper(helper, true);
    EXPECT_EQ(platform::startHelper(folder.file("missing")).pid, -1);
}
