// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// Empty when a graphical display can be reached; otherwise one line that says so and how to run the
// program on a virtual display instead.
std::string missingDisplayMessage(const std::string& programPath);

} // namespace platform
