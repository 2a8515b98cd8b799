// SPDX-License-Identifier: GPL-3.0-or-later
#include "wake/CommandLoop.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr time_t now = 1'800'000'000; // 2027-01-15
std::optional<time_t> armedAt;        // by the last call; nullopt: no call

const wake::TimerCalls fakeTimer{
    .settime =
        [](int, int flags, const itimerspec* value, itimerspec*) {
            EXPECT_EQ(flags, value->it_value.tv_sec != 0 ? TFD_TIMER_ABSTIME : 0);
            EXPECT_EQ(value->it_interval.tv_sec, 0);
            armedAt = value->it_value.tv_sec;
            return 0;
        },
    .now = [](time_t*) { return now; },
};

struct Case
{
    const char* name;
    std::vector<std::string> reads;
    std::string replies;
    std::optional<time_t> armedAt; // 0 disarmed
    int timerFd = 7;
};

const std::string overlong = "arm " + std::string(wake::CommandLoop::maxLine, '1');
const std::string notATime = "error not a time in seconds\n", unknown = "error unknown command\n";

const Case cases[] = {
    {.name = "arm", .reads = {"arm 1800000060\n"}, .replies = "ok\n", .armedAt = now + 60},
    {.name = "disarm", .reads = {"disarm\n"}, .replies = "ok\n", .armedAt = 0},
    {.name = "garbage", .reads = {"ring now\n"}, .replies = unknown, .armedAt = {}},
    {.name = "over-long, in two reads",
     .reads = {overlong.substr(0, 40), overlong.substr(40) + "\ndisarm\n"},
     .replies = "error line too long\nok\n",
     .armedAt = 0},
    {.name = "in the past",
     .reads = {"arm 1800000000\n"},
     .replies = "error that time is past\n",
     .armedAt = {}},
    {.name = "past 2038", .reads = {"arm 4102444800\n"}, .replies = "ok\n", .armedAt = 4102444800},
    {.name = "negative", .reads = {"arm -1800000060\n"}, .replies = notATime, .armedAt = {}},
    {.name = "beyond time_t", .reads = {"arm 99999999999999999999\n"}, .replies = notATime, .armedAt = {}},
    {.name = "more after the number", .reads = {"arm 1800000060 \n"}, .replies = notATime, .armedAt = {}},
    {.name = "several in one read",
     .reads = {"arm 1800000060\nping\narm 1800000120\n"},
     .replies = "ok\n" + unknown + "ok\n",
     .armedAt = now + 120},
    {.name = "split over reads",
     .reads = {"ar", "m 18000", "00060\nar"},
     .replies = "ok\n",
     .armedAt = now + 60},
    {.name = "no timer", .reads = {"disarm\n"}, .replies = "error refused\n", .armedAt = {}, .timerFd = -1},
};

TEST(CommandLoopTest, AnswersEachLineAndSetsTheTimerOnlyForACommand)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        armedAt.reset();
        wake::CommandLoop loop(c.timerFd, "refused", fakeTimer);
        std::string replies;
        for (const std::string& read : c.reads)
            replies += loop.feed(read);
        EXPECT_EQ(replies, c.replies);
        EXPECT_EQ(armedAt, c.armedAt);
    }
}

// More than the socket holds either way, read while written: none lost, all in order, the helper waiting
// in its write while the replies are not read.
TEST(CommandLoopTest, AnswersAFloodThroughTheSocketInOrder)
{
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    wake::CommandLoop loop(7, "", fakeTimer);
    std::thread helper([&] {
        EXPECT_EQ(wake::serve(ends[1], loop), 0);
        ::close(ends[1]);
    });
    std::string commands, expected;
    for (int i = 1; i <= 50'000; ++i) {
        commands += i % 2 ? "arm " + std::to_string(now + i) + "\n" : "ring\n";
        expected += i % 2 ? "ok\n" : unknown;
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
    EXPECT_EQ(armedAt, now + 49'999);
}

} // namespace
