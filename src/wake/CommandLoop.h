// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/timerfd.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace wake {

// The calls behind the timer, replaceable so that tests see what the helper asks of the kernel.
struct TimerCalls
{
    int (*settime)(int fd, int flags, const itimerspec* value, itimerspec* old) = ::timerfd_settime;
    time_t (*now)(time_t* out) = ::time;
};

// The helper's line protocol. "arm EPOCH-SECONDS" sets the one timer to that absolute time, "disarm" stops
// it; every line gets one reply line, "ok" or "error REASON", in the order the lines came.
//
// Bad input: anything else, a number that is negative, not decimal, already past or beyond time_t is
// answered "error ..." and leaves the timer as it was. A line longer than maxLine is refused as a whole,
// once, without keeping more than maxLine bytes of it. Without a timer (timerFd < 0) every command is
// answered "error " and the refusal.
class CommandLoop
{
public:
    static constexpr std::size_t maxLine = 64;

    CommandLoop(int timerFd, std::string refusal, const TimerCalls& calls = {});
    // The replies to the lines that `bytes` completes; the start of an unfinished line waits for its end.
    std::string feed(std::string_view bytes);

private:
    std::string answer(std::string_view line) const;
    std::string setTimer(time_t at) const;

    int m_timerFd;
    std::string m_refusal;
    TimerCalls m_calls;
    std::string m_line;
    bool m_overlong = false;
};

// Answers the commands read from `socket` on the same socket until the other end closes it. Replies are
// written in full before more is read, so a reader that stops holds the helper in a blocking write rather
// than letting the replies pile up. Returns the exit status: 0 at the other end's close, 1 on an error.
int serve(int socket, CommandLoop& loop);

} // namespace wake
