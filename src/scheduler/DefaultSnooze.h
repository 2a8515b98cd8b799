#pragma once

#include <string>

namespace platform {
class Dialogs;
}

namespace scheduler {

// The main window's Set button: checks the duration box's text (repairing boxText as ValidDuration does)
// and stores the repaired text, untrimmed, as DSnooze. An invalid duration shows "Please enter a valid
// duration."; a write that fails shows "The change could not be saved.". True when stored.
bool storeDefaultSnooze(std::string& boxText, const std::string& iniPath, platform::Dialogs& dialogs);

} // namespace scheduler
