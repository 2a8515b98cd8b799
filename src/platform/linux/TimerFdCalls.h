// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {

// The system calls behind the timerfd timers, replaceable so that tests can take the paths the kernel
// takes only rarely (a clock set by the administrator, a refused wake-up permission).
struct TimerFdCalls
{
    int (*create)(int clockId, int flags) = ::timerfd_create;
    int (*settime)(int fd, int flags, const itimerspec* value, itimerspec* old) = ::timerfd_settime;
    ssize_t (*read)(int fd, void* buffer, size_t size) = ::read;
};

} // namespace platform
