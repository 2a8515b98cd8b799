// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every text the windows show in a message box, so that one wording serves every window that needs it.
namespace messages {

inline constexpr const char* invalidDuration = "Please enter a valid duration.";
inline constexpr const char* changeNotSaved = "The change could not be saved.";
inline constexpr const char* alarmNotSaved = "The alarm could not be saved.";
inline constexpr const char* noMoreAlarms = "No more alarms can be added.";
inline constexpr const char* invalidTime = "Please type a valid time!";
inline constexpr const char* noMemo = "Please type a Memo!";
inline constexpr const char* noDay = "Please at least Mark one day!";
inline constexpr const char* onceInPast = "Please choose a day and time that are still ahead!";
inline constexpr const char* changedElsewhere =
    "The alarms were changed outside Wakery; the list has been reloaded. Press OK again to save.";

} // namespace messages
