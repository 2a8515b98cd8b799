// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scheduler/Duration.h"

#include <optional>

class QComboBox;

namespace platform {
class Dialogs;
}

namespace notify {

// A duration box read as Snooze reads it: the check's repair ("00" for a missing part) is put back into
// the box, and a text that is no duration says "Please enter a valid duration." and gives nullopt.
std::optional<scheduler::SnoozeDuration> readDurationBox(QComboBox& box, platform::Dialogs& dialogs);

} // namespace notify
