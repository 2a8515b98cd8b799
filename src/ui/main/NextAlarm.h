// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace platform {
class LocaleTime;
}
namespace store {
struct AlarmTable;
}

// The next alarm at a glance, for the icon's tip and the main window's status line. now is a local
// minute; texts are UTF-8.
namespace mainwin {

// "Next: Tue 07:00 - memo (in 9 h 12 min)", without " - memo" for an empty memo; "No alarm is due." when
// nothing can ring.
std::string nextAlarmText(const store::AlarmTable& table, std::int64_t now,
                          const platform::LocaleTime& locale);

// "paused until Mon 14 Dec" while a pause lies ahead; empty otherwise.
std::string pauseText(const store::AlarmTable& table, std::int64_t now, const platform::LocaleTime& locale);

// "Wakery" (or "Wakery - paused until Mon 14 Dec"), then the next alarm on a line of its own.
std::string trayTip(const store::AlarmTable& table, std::int64_t now, const platform::LocaleTime& locale);

// "07:05": the time of day of a local minute, on the 24-hour clock.
std::string clockText(std::int64_t minute);

// "9 h 12 min", "12 min", "2 d 3 h".
std::string durationText(std::int64_t minutes);

} // namespace mainwin
