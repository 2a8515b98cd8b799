// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmTable.h"

#include "platform/SoundPlayer.h"

#include <array>
#include <cstdint>
#include <string>

namespace platform {
class Files;
class LocaleTime;
} // namespace platform

namespace store {

// Count as the load reads it: decimal digits with an optional sign; anything else or a negative number is
// 0, and a number above 32,767 is 32,767.
std::int16_t countFromText(const std::string& text);

// The fade-in lengths an alarm may have, in seconds; 0 is none.
inline constexpr std::array<int, 4> fadeInChoices{0, 15, 30, 60};

// The level that an alarm's Volume and FadeIn keys, as stored (empty: absent), stand for. Volume is a whole
// number 0 to 100, FadeIn one of fadeInChoices; any other value of a key, another length included, quietly
// reads as that key's default, so a hand edit never leaves an alarm silent by accident nor fails the load.
platform::SoundLevel soundLevelFromKeys(const std::string& volume, const std::string& fadeIn);

// The load the main window performs on every activation. With no plain file at iniPath nothing changes
// and false is returned. Otherwise the table is rebuilt from the file (offsets kept by index), and true
// is returned. Malformed content never fails the load: a bad Count is 0 (above 32,767: 32,767), a bad
// State is off, a Time that is no time of day keeps its text and never rings. The file is not changed.
// The file is parsed once, and every value is the one ReadIni gives for its key (an existing file that
// cannot be read therefore loads as Count 0). With Count 0 only ACount changes; the arrays keep their
// old contents, which nothing reads past ACount.
bool loadAlarmTable(AlarmTable& table, const std::string& iniPath, const platform::Files& files,
                    const platform::LocaleTime& localeTime);

} // namespace store
