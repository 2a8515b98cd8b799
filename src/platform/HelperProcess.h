// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// A helper program started with one end of a socket pair as its descriptor `descriptor` (3 unless told),
// the program's end non-blocking and closed on exec. Standard input is /dev/null unless it is the socket;
// output and errors are the program's own.
struct HelperProcess
{
    int pid = -1;
    int fd = -1;
    std::string error; // why it did not start, when pid is -1
};

struct HelperStart
{
    int descriptor = 3;
    bool keepEnvironment = true; // false: nothing set or preloaded by the caller reaches the helper
};

HelperProcess startHelper(const std::string& program, const HelperStart& how = {});

// Reads what has arrived without waiting: the bytes, and `ended` when the helper closed its end.
std::string readHelper(int fd, bool& ended);

// Sends text without waiting; false when the helper has gone or does not read.
bool writeHelper(int fd, const std::string& text);

// Closes the program's end and kills the helper (SIGKILL) unless `gracefully`, when it is left to end on
// its own as it sees the socket close. Either way it is reaped in the background.
void endHelper(HelperProcess& process, bool gracefully);

// Reaps the helpers that ended since; a helper that ignores the closed socket for two seconds is killed.
void reapHelpers();

} // namespace platform
