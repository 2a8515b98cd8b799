// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line protocol between the program and its sound helper, which runs the media back end in a process
// of its own. The program sends one command a line:
//   play N:FILE VOLUME FADE    FILE is N raw bytes, so a newline or bytes that are not UTF-8 pass unchanged
//   seek MILLISECONDS | resume | state | stop | quit
// and the helper answers every command with exactly one line, in the order received:
//   ok POSITION LENGTH         both in milliseconds
//   fail REASON                why nothing plays; the reason has no line break in it
namespace text::soundprotocol {

enum class Verb { Play, Seek, Resume, State, Stop, Quit };

struct Command
{
    Verb verb = Verb::State;
    std::string file;           // play
    int volume = 50;            // play: percent, 0 to 100
    int fadeInSeconds = 0;      // play
    long long milliseconds = 0; // seek
};

struct Reply
{
    std::string failure; // empty for "ok"
    long long position = 0;
    long long length = 0;
};

Command command(Verb verb);
Command playCommand(std::string file, int volume, int fadeInSeconds);
Command seekCommand(long long milliseconds);
Reply okReply(long long position, long long length);
Reply failReply(std::string reason);

// A reply longer than this is not one the helper writes: the program takes it for a broken helper.
inline constexpr std::size_t maxReplyLength = 512;
// Longer file names than any file system allows are refused rather than buffered.
inline constexpr std::size_t maxFileNameLength = 65536;

std::string encode(const Command& command);
// A longer reason is cut and line breaks in it become spaces, so that the reply stays one line.
std::string encode(const Reply& reply);

// NeedMore: the buffer holds the start of a message and nothing else yet. Garbage: no message begins
// this way; the peer is broken or not the helper, and nothing after it can be trusted.
enum class Status { Complete, NeedMore, Garbage };

template <class Message> struct Parsed
{
    Status status = Status::NeedMore;
    Message message{};
    std::size_t used = 0; // bytes of the buffer that made the message, when Complete
};

// The first message at the front of buffer; the caller drops `used` bytes and parses again for the next.
Parsed<Command> parseCommand(std::string_view buffer);
Parsed<Reply> parseReply(std::string_view buffer);

} // namespace text::soundprotocol
