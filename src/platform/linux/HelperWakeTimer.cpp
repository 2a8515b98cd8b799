// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelperWakeTimer.h"

#include "WakeSeconds.h"
#include "platform/HelperProcess.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// The helper answers at once; this only bounds the wait for one that hangs.
constexpr int replyTimeoutMs = 2000;
constexpr std::size_t longestReply = 256;

} // namespace

HelperWakeTimer::HelperWakeTimer(std::string helperPath) : m_path(std::move(helperPath)) {}

HelperWakeTimer::~HelperWakeTimer()
{
    stop(false);
}

void HelperWakeTimer::wakeAt(const std::optional<LocalDateTime>& when)
{
    time_t at = wakeSeconds(when);
    // The helper refuses a time already past; the ring that was due then is under way anyway.
    if (at != 0 && at <= std::time(nullptr))
        at = 0;
    // Checks run every minute; the helper is asked only when the time changes.
    if (at == m_armedAt || m_status.ability == WakeStatus::Ability::Refused)
        return;
    if (m_pid < 0 && !start())
        return;
    if (ask(at != 0 ? "arm " + std::to_string(at) : "disarm")) {
        m_armedAt = at;
        m_status = {.ability = WakeStatus::Ability::Wakes, .reason = {}};
    }
}

bool HelperWakeTimer::start()
{
    // Its one way to the program is its standard input; no environment, so that nothing preloaded or
    // configured by the caller reaches the privileged process.
    const HelperProcess helper = startHelper(m_path, {.descriptor = STDIN_FILENO, .keepEnvironment = false});
    if (helper.pid < 0) {
        giveUp("the wake helper cannot be started: " + helper.error);
        return false;
    }
    m_pid = helper.pid;
    m_socket = helper.fd;
    return true;
}

bool HelperWakeTimer::ask(const std::string& command)
{
    const std::string line = command + "\n";
    const bool sent =
        ::send(m_socket, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size());
    bool silent = false;
    const std::string reply = sent ? readReply(silent) : std::string();
    if (reply == "ok")
        return true;
    if (reply.starts_with("error "))
        giveUp("the wake helper answered: " + reply.substr(6));
    else if (silent)
        stop(true), giveUp("the wake helper did not answer");
    else if (reply.empty())
        giveUp(stop(false));
    else
        giveUp("the wake helper answered \"" + reply + "\"");
    return false;
}

std::string HelperWakeTimer::readReply(bool& silent)
{
    std::string reply;
    for (char c = 0; reply.size() < longestReply; reply += c) {
        pollfd ready{.fd = m_socket, .events = POLLIN, .revents = 0};
        int count = 0;
        while ((count = ::poll(&ready, 1, replyTimeoutMs)) < 0 && errno == EINTR) {
        }
        silent = count == 0;
        if (count <= 0 || ::read(m_socket, &c, 1) != 1)
            return {};
        if (c == '\n')
            break;
    }
    return reply;
}

void HelperWakeTimer::giveUp(const std::string& reason)
{
    stop(false);
    m_status = {.ability = WakeStatus::Ability::Refused, .reason = reason};
    std::fprintf(stderr, "wakery: cannot wake this computer: %s\n", reason.c_str());
}

std::string HelperWakeTimer::stop(bool kill)
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    if (m_pid < 0)
        return "the wake helper ended";
    // One that runs on ends when it reads the closed socket; only one that stopped answering is killed.
    if (kill)
        ::kill(m_pid, SIGKILL);
    int status = 0;
    const pid_t ended = ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    if (ended < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
        return "the wake helper ended";
    return WIFSIGNALED(status) ? "the wake helper ended by signal " + std::to_string(WTERMSIG(status))
                               : "the wake helper ended with status " + std::to_string(WEXITSTATUS(status));
}

} // namespace platform
