// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppLayout.h"

#include <string>

namespace platform {

// The running user's configuration folder, from $XDG_CONFIG_HOME, $HOME or the account's home folder.
std::string userConfigHome();

} // namespace platform
