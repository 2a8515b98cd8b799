// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/SoundProtocol.h"

#include <gtest/gtest.h>

namespace {

using namespace text::soundprotocol;

// What arrives in one read, and the first message found in it, written out again ("" when none).
struct Case
{
    const char* name;
    std::string received;
    Status status;
    std::size_t used;
    std::string message;
};

const Case commands[] = {
    {.name = "a play",
     .received = "play 5:a.wav 50 30\n",
     .status = Status::Complete,
     .used = 19,
     .message = "play 5:a.wav 50 30\n"},
    {.name = "a newline and a byte that is not UTF-8 in the name",
     .received = "play 4:a\n\xff"
                 "b 0 0\n",
     .status = Status::Complete,
     .used = 16,
     .message = "play 4:a\n\xff"
                "b 0 0\n"},
    {.name = "two commands in one read",
     .received = "seek 1500\nquit\n",
     .status = Status::Complete,
     .used = 10,
     .message = "seek 1500\n"},
    {.name = "half a name",
     .received = "play 9:/tmp/a",
     .status = Status::NeedMore,
     .used = 0,
     .message = ""},
    {.name = "a long name, its level still to come",
     .received = "play 300:" + std::string(300, 'n'),
     .status = Status::NeedMore,
     .used = 0,
     .message = ""},
    {.name = "no level", .received = "play 1:a\n", .status = Status::Garbage, .used = 0, .message = ""},
    {.name = "volume above 100",
     .received = "play 1:a 101 0\n",
     .status = Status::Garbage,
     .used = 0,
     .message = ""},
    {.name = "a length no name can have",
     .received = "play 999999:",
     .status = Status::Garbage,
     .used = 0,
     .message = ""},
    {.name = "a negative seek", .received = "seek -1\n", .status = Status::Garbage, .used = 0, .message = ""},
    {.name = "stop with a word after it",
     .received = "stop now\n",
     .status = Status::Garbage,
     .used = 0,
     .message = ""},
    {.name = "a long line with no end",
     .received = std::string(40, 's'),
     .status = Status::Garbage,
     .used = 0,
     .message = ""},
};

const Case replies[] = {
    {.name = "two replies in one read",
     .received = "ok 300 1800\nok 0 0\n",
     .status = Status::Complete,
     .used = 12,
     .message = "ok 300 1800\n"},
    {.name = "a failure",
     .received = "fail no such file\n",
     .status = Status::Complete,
     .used = 18,
     .message = "fail no such file\n"},
    {.name = "half a reply", .received = "ok 3", .status = Status::NeedMore, .used = 0, .message = ""},
    {.name = "not a reply", .received = "hello\n", .status = Status::Garbage, .used = 0, .message = ""},
    {.name = "more than a reply line",
     .received = std::string(maxReplyLength, 'x'),
     .status = Status::Garbage,
     .used = 0,
     .message = ""},
};

template <class Parse> void expect(const Case& c, Parse parse)
{
    SCOPED_TRACE(c.name);
    const auto parsed = parse(c.received);
    EXPECT_EQ(parsed.status, c.status);
    EXPECT_EQ(parsed.used, c.used);
    EXPECT_EQ(parsed.status == Status::Complete ? encode(parsed.message) : "", c.message);
}

TEST(SoundProtocol, Commands)
{
    for (const Case& c : commands)
        expect(c, parseCommand);
}

TEST(SoundProtocol, Replies)
{
    for (const Case& c : replies)
        expect(c, parseReply);
    EXPECT_EQ(encode(failReply("two\nlines")), "fail two lines\n");
}

} // namespace
