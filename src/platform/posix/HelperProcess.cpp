// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelperProcess.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

struct Ending
{
    int pid;
    Clock::time_point killAt;
};

std::vector<Ending>& endings()
{
    static std::vector<Ending> list;
    return list;
}

std::string systemError(const char* what, int error)
{
    return std::string(what) + ": " + std::strerror(error);
}

HelperProcess failedStart(std::string why)
{
    return {-1, -1, std::move(why)};
}

} // namespace

HelperProcess startHelper(const std::string& program, const HelperStart& how)
{
    reapHelpers();
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return failedStart(systemError("no socket pair", errno));
    // dup2 onto itself would keep close-on-exec set.
    int child = ends[1];
    if (child == how.descriptor) {
        child = fcntl(ends[1], F_DUPFD_CLOEXEC, how.descriptor + 1);
        close(ends[1]);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (how.descriptor != 0)
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, child, how.descriptor);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};
    char* noEnvironment[] = {nullptr};
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(),
                                  how.keepEnvironment ? environ : noEnvironment);
    posix_spawn_file_actions_destroy(&actions);
    close(child);
    if (error != 0) {
        close(ends[0]);
        return failedStart(systemError(program.c_str(), error));
    }
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return {pid, ends[0], std::string()};
}

std::string readHelper(int fd, bool& ended)
{
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got > 0) {
            text.append(chunk, static_cast<std::size_t>(got));
            continue;
        }
        ended = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        return text;
    }
}

bool writeHelper(int fd, const std::string& text)
{
    // MSG_NOSIGNAL: a helper that died must not take the program with it through SIGPIPE.
    const ssize_t sent = send(fd, text.data(), text.size(), MSG_NOSIGNAL);
    return sent == static_cast<ssize_t>(text.size());
}

void endHelper(HelperProcess& process, bool gracefully)
{
    if (process.fd >= 0)
        close(process.fd);
    if (process.pid > 0) {
        if (!gracefully)
            kill(process.pid, SIGKILL);
        endings().push_back({process.pid, Clock::now() + std::chrono::seconds(2)});
    }
    process = {};
    reapHelpers();
}

void reapHelpers()
{
    auto& list = endings();
    for (auto it = list.begin(); it != list.end();) {
        if (waitpid(it->pid, nullptr, WNOHANG) != 0) {
            it = list.erase(it);
            continue;
        }
        if (Clock::now() >= it->killAt)
            kill(it->pid, SIGKILL);
        ++it;
    }
}

} // namespace platform
