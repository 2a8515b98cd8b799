// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace scheduler {

enum class DefaultSnoozeResult { Stored, InvalidDuration, NotSaved };

// The main window's Set button: checks the duration box's text (repairing boxText as ValidDuration does)
// and stores the repaired text, untrimmed, as DSnooze. The window tells the user what went wrong.
DefaultSnoozeResult storeDefaultSnooze(std::string& boxText, const std::string& iniPath);

} // namespace scheduler
