// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundProtocol.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace text::soundprotocol {
namespace {

template <class Message> Parsed<Message> unfinished(Status status)
{
    Parsed<Message> parsed;
    parsed.status = status;
    return parsed;
}

template <class Message> Parsed<Message> complete(Message message, std::size_t used)
{
    return {Status::Complete, std::move(message), used};
}

// Verbs without arguments and the longest line one of them may take before the newline must have come.
constexpr std::size_t maxPlainLine = 32;

struct VerbName
{
    Verb verb;
    std::string_view name;
};
constexpr VerbName verbNames[] = {{Verb::Play, "play"},   {Verb::Seek, "seek"}, {Verb::Resume, "resume"},
                                  {Verb::State, "state"}, {Verb::Stop, "stop"}, {Verb::Quit, "quit"}};

std::string_view nameOf(Verb verb)
{
    return std::find_if(std::begin(verbNames), std::end(verbNames),
                        [verb](const VerbName& v) { return v.verb == verb; })
        ->name;
}

// A whole field of plain decimal digits (no sign, no blanks) within [low, high].
std::optional<long long> number(std::string_view field, long long low, long long high)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || field.front() == '-' || error != std::errc() || end != field.data() + field.size() ||
        value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr long long anyMilliseconds = 1'000'000'000'000LL;

// The fields of a line after its verb, split at single spaces.
std::optional<Command> plainCommand(std::string_view line)
{
    const std::size_t space = line.find(' ');
    const std::string_view verb = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? "" : line.substr(space + 1);
    for (const VerbName& v : verbNames) {
        if (v.name != verb || v.verb == Verb::Play)
            continue;
        if (v.verb != Verb::Seek)
            return space == std::string_view::npos ? std::optional(command(v.verb)) : std::nullopt;
        if (const auto ms = number(rest, 0, anyMilliseconds))
            return seekCommand(*ms);
    }
    return std::nullopt;
}

Parsed<Command> parsePlay(std::string_view buffer)
{
    constexpr std::string_view head = "play ";
    const std::size_t colon = buffer.find(':', head.size());
    const std::size_t digitsEnd = std::min(colon, buffer.size());
    if (digitsEnd - head.size() > 5) // maxFileNameLength has five digits
        return unfinished<Command>(Status::Garbage);
    if (colon == std::string_view::npos)
        return unfinished<Command>(Status::NeedMore);
    const auto length = number(buffer.substr(head.size(), colon - head.size()), 0, maxFileNameLength);
    if (!length)
        return unfinished<Command>(Status::Garbage);
    const std::size_t afterName = colon + 1 + static_cast<std::size_t>(*length);
    const std::size_t newline = buffer.find('\n', std::min(afterName, buffer.size()));
    if (newline == std::string_view::npos)
        return unfinished<Command>(buffer.size() - std::min(afterName, buffer.size()) > maxPlainLine
                                       ? Status::Garbage
                                       : Status::NeedMore);
    const std::string_view levels = buffer.substr(afterName, newline - afterName);
    const std::size_t second = levels.find(' ', 1);
    if (levels.empty() || levels.front() != ' ' || second == std::string_view::npos)
        return unfinished<Command>(Status::Garbage);
    const auto volume = number(levels.substr(1, second - 1), 0, 100);
    const auto fade = number(levels.substr(second + 1), 0, 3600);
    if (!volume || !fade)
        return unfinished<Command>(Status::Garbage);
    return complete(playCommand(std::string(buffer.substr(colon + 1, static_cast<std::size_t>(*length))),
                                static_cast<int>(*volume), static_cast<int>(*fade)),
                    newline + 1);
}

} // namespace

Command command(Verb verb)
{
    Command made;
    made.verb = verb;
    return made;
}

Command playCommand(std::string file, int volume, int fadeInSeconds)
{
    Command made = command(Verb::Play);
    made.file = std::move(file);
    made.volume = volume;
    made.fadeInSeconds = fadeInSeconds;
    return made;
}

Command seekCommand(long long milliseconds)
{
    Command made = command(Verb::Seek);
    made.milliseconds = milliseconds;
    return made;
}

Reply okReply(long long position, long long length)
{
    return {std::string(), position, length};
}

Reply failReply(std::string reason)
{
    return {std::move(reason), 0, 0};
}

std::string encode(const Command& command)
{
    std::string line(nameOf(command.verb));
    if (command.verb == Verb::Play)
        line += ' ' + std::to_string(command.file.size()) + ':' + command.file + ' ' +
                std::to_string(command.volume) + ' ' + std::to_string(command.fadeInSeconds);
    if (command.verb == Verb::Seek)
        line += ' ' + std::to_string(command.milliseconds);
    return line + '\n';
}

std::string encode(const Reply& reply)
{
    if (reply.failure.empty())
        return "ok " + std::to_string(reply.position) + ' ' + std::to_string(reply.length) + '\n';
    std::string reason = reply.failure.substr(0, maxReplyLength - 6);
    std::replace_if(
        reason.begin(), reason.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return "fail " + reason + '\n';
}

Parsed<Command> parseCommand(std::string_view buffer)
{
    if (buffer.substr(0, 5) == "play ")
        return parsePlay(buffer);
    const std::size_t newline = buffer.find('\n');
    if (newline == std::string_view::npos)
        return unfinished<Command>(buffer.size() > maxPlainLine ? Status::Garbage : Status::NeedMore);
    if (auto plain = plainCommand(buffer.substr(0, newline)))
        return complete(std::move(*plain), newline + 1);
    return unfinished<Command>(Status::Garbage);
}

Parsed<Reply> parseReply(std::string_view buffer)
{
    const std::size_t newline = buffer.find('\n');
    if (newline == std::string_view::npos)
        return unfinished<Reply>(buffer.size() >= maxReplyLength ? Status::Garbage : Status::NeedMore);
    if (newline >= maxReplyLength)
        return unfinished<Reply>(Status::Garbage);
    const std::string_view line = buffer.substr(0, newline);
    if (line.substr(0, 5) == "fail " && line.size() > 5)
        return complete(failReply(std::string(line.substr(5))), newline + 1);
    const std::size_t second = line.find(' ', 3);
    if (line.substr(0, 3) == "ok " && second != std::string_view::npos) {
        const auto position = number(line.substr(3, second - 3), 0, anyMilliseconds);
        const auto length = number(line.substr(second + 1), 0, anyMilliseconds);
        if (position && length)
            return complete(okReply(*position, *length), newline + 1);
    }
    return unfinished<Reply>(Status::Garbage);
}

} // namespace text::soundprotocol
