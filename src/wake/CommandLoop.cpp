// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLoop.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <utility>

namespace wake {
namespace {

constexpr std::string_view armCommand = "arm ";

std::string error(const std::string& reason)
{
    return "error " + reason + "\n";
}

bool sendAll(int socket, std::string_view bytes)
{
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a program that went away ends the helper through the error, not through SIGPIPE.
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

} // namespace

CommandLoop::CommandLoop(int timerFd, std::string refusal, const TimerCalls& calls)
    : m_timerFd(timerFd), m_refusal(std::move(refusal)), m_calls(calls)
{
}

std::string CommandLoop::feed(std::string_view bytes)
{
    std::string replies;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (m_line.size() + piece.size() > maxLine)
            m_overlong = true;
        else
            m_line.append(piece);
        if (end == std::string_view::npos)
            break;
        replies += m_overlong ? error("line too long") : answer(m_line);
        m_line.clear();
        m_overlong = false;
        bytes.remove_prefix(end + 1);
    }
    if (m_overlong)
        m_line.clear();
    return replies;
}

std::string CommandLoop::answer(std::string_view line) const
{
    std::optional<time_t> at;
    if (line == "disarm") {
        at = 0;
    } else if (line.starts_with(armCommand)) {
        const std::string_view number = line.substr(armCommand.size());
        time_t seconds = 0;
        const auto [end, failure] = std::from_chars(number.data(), number.data() + number.size(), seconds);
        // from_chars takes a leading minus: a negative time is refused with the other non-numbers.
        if (number.empty() || number.front() == '-' || failure != std::errc() ||
            end != number.data() + number.size())
            return error("not a time in seconds");
        if (seconds <= m_calls.now(nullptr))
            return error("that time is past");
        at = seconds;
    } else {
        return error("unknown command");
    }
    return m_timerFd < 0 ? error(m_refusal) : setTimer(*at);
}

std::string CommandLoop::setTimer(time_t at) const
{
    itimerspec spec{};
    spec.it_value.tv_sec = at; // 0: disarmed
    // A disarm is set as relative, which it is as much as absolute: an alarm timer's fdinfo goes on showing
    // the time left to its last expiry once stopped, and its "settime flags" are what shows the stop.
    if (m_calls.settime(m_timerFd, at != 0 ? TFD_TIMER_ABSTIME : 0, &spec, nullptr) != 0)
        return error(std::strerror(errno));
    return "ok\n";
}

int serve(int socket, CommandLoop& loop)
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(socket, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0)
            return 0;
        if (got < 0 || !sendAll(socket, loop.feed({buffer, static_cast<std::size_t>(got)})))
            return 1;
    }
}

} // namespace wake
