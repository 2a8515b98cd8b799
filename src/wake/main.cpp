// SPDX-License-Identifier: GPL-3.0-or-later
// wakery-wake: keeps a wake-up timer for Wakery, which the system refuses one of its own. Wakery starts it
// with one end of a socket pair as standard input; see CommandLoop.h for what it understands. It takes no
// arguments, opens nothing and runs nothing.
#include "wake/Capabilities.h"
#include "wake/CommandLoop.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

int main()
{
    // Set here rather than by Wakery: an exec that grants capabilities clears the parent's setting.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0) != 0)
        return 1;
    const std::string dropped = wake::keepOnlyWakeAlarm();
    if (!dropped.empty()) {
        std::fprintf(stderr, "wakery-wake: %s\n", dropped.c_str());
        return 1;
    }
    const int timer = ::timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
    std::string refusal;
    if (timer < 0)
        refusal = errno == EPERM ? "wakery-wake does not hold CAP_WAKE_ALARM"
                                 : std::string("no wake-up timer: ") + std::strerror(errno);
    wake::CommandLoop loop(timer, refusal);
    return wake::serve(STDIN_FILENO, loop);
}
