// SPDX-License-Identifier: GPL-3.0-or-later
#include "wake/CommandLoop.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr time_t now = 1'800'000'000; // 2027-01-15
int settimeCalls = 0;
itimerspec lastSpec{};

const wake::TimerCalls fakeTimer{
    .settime =
        [](int, int flags, const itimerspec* value, itimerspec*) {
            EXPECT_EQ(flags, value->it_value.tv_sec != 0 ? TFD_TIMER_ABSTIME : 0);
            ++settimeCalls, lastSpec = *value;
            return 0;
        },
    .now = [](time_t*) { return now; },
};

struct Case
{
    const char* name;
    std::vector<std::string> reads;
    std::string replies;
    int settimeCalls;
    time_t armedAt; // the last time set; 0 disarmed, or no call
    int timerFd = 7;
};

const std::string overlong = "arm " + std::string(wake::CommandLoop::maxLine, '1');

const Case cases[] = {
    {.name = "arm", .reads = {"arm 1800000060\n"}, .replies = "ok\n", .settimeCalls = 1, .armedAt = now + 60},
    {.name = "disarm", .reads = {"disarm\n"}, .replies = "ok\n", .settimeCalls = 1, .armedAt = 0},
    {.name = "garbage",
     .reads = {"ring now\n"},
     .replies = "error unknown command\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "an empty line",
     .reads = {"\n"},
     .replies = "error unknown command\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "an over-long line in two reads, then a command",
     .reads = {overlong.substr(0, 40), overlong.substr(40) + "\ndisarm\n"},
     .replies = "error line too long\nok\n",
     .settimeCalls = 1,
     .armedAt = 0},
    {.name = "a time in the past",
     .reads = {"arm 1800000000\n"},
     .replies = "error that time is past\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "a time past 2038",
     .reads = {"arm 4102444800\n"},
     .replies = "ok\n",
     .settimeCalls = 1,
     .armedAt = 4102444800},
    {.name = "a negative number",
     .reads = {"arm -1800000060\n"},
     .replies = "error not a time in seconds\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "beyond time_t",
     .reads = {"arm 99999999999999999999\n"},
     .replies = "error not a time in seconds\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "a number with more after it",
     .reads = {"arm 1800000060 \n"},
     .replies = "error not a time in seconds\n",
     .settimeCalls = 0,
     .armedAt = 0},
    {.name = "several commands in one read",
     .reads = {"arm 1800000060\nping\narm 1800000120\n"},
     .replies = "ok\nerror unknown command\nok\n",
     .settimeCalls = 2,
     .armedAt = now + 120},
    {.name = "a command split over reads",
     .reads = {"ar", "m 18000", "00060\nunfinished"},
     .replies = "ok\n",
     .settimeCalls = 1,
     .armedAt = now + 60},
    {.name = "no timer",
     .reads = {"arm 1800000060\n"},
     .replies = "error refused\n",
     .settimeCalls = 0,
     .armedAt = 0,
     .timerFd = -1},
};

TEST(CommandLoopTest, AnswersEachLineAndSetsTheTimerOnlyForACommand)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settimeCalls = 0, lastSpec = {};
        wake::CommandLoop loop(c.timerFd, "refused", fakeTimer);
        std::string replies;
        for (const std::string& read : c.reads)
            replies += loop.feed(read);
        EXPECT_EQ(replies, c.replies);
        EXPECT_EQ(settimeCalls, c.settimeCalls);
        EXPECT_EQ(lastSpec.it_value.tv_sec, c.armedAt);
        EXPECT_EQ(lastSpec.it_interval.tv_sec, 0);
    }
}

// More lines than the socket holds in either direction, written while the replies are read: none is lost,
// none comes out of order, and the helper waits in its write while the replies are not read.
TEST(CommandLoopTest, AnswersAFloodThroughTheSocketInOrder)
{
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    settimeCalls = 0;
    wake::CommandLoop loop(7, "", fakeTimer);
    std::thread helper([&] {
        EXPECT_EQ(wake::serve(ends[1], loop), 0);
        ::close(ends[1]);
    });
    constexpr int count = 50'000;
    std::string commands, expected;
    for (int i = 1; i <= count; ++i) {
        commands += i % 2 ? "arm " + std::to_string(now + i) + "\n" : "ring\n";
        expected += i % 2 ? "ok\n" : "error unknown command\n";
    }
    std::thread program([&] {
        EXPECT_EQ(::write(ends[0], commands.data(), commands.size()), static_cast<ssize_t>(commands.size()));
        ::shutdown(ends[0], SHUT_WR);
    });
    std::string replies;
    char buffer[512];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        replies.append(buffer, static_cast<std::size_t>(got));
    program.join(), helper.join(), ::close(ends[0]);
    EXPECT_EQ(replies, expected);
    EXPECT_EQ(settimeCalls, count / 2);
    EXPECT_EQ(lastSpec.it_value.tv_sec, now + count - 1);
}

} // namespace
