// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wake {

// Keeps CAP_WAKE_ALARM, where the helper was given it, and gives up every other capability: the effective,
// permitted, inheritable and ambient sets, and the bounding set where the helper may change it (only a
// holder of CAP_SETPCAP may; without it the bounding set cannot grant anything back either). Then no
// exec can gain privileges again. Returns why it failed, empty on success.
std::string keepOnlyWakeAlarm();

} // namespace wake
