// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayCheck.h"

#include <cstdlib>

namespace platform {

std::string missingDisplayMessage(const std::string& programPath)
{
#if defined(Q_OS_WIN) || defined(_WIN32) || defined(__APPLE__)
    (void)programPath;
    return {};
#else
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // A chosen Qt platform (offscreen, vnc, ...) brings its own display.
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return {};
    return "Wakery needs a graphical display and none was found (DISPLAY is not set); to run it without "
           "one, use: xvfb-run -a " +
           programPath;
#endif
}

} // namespace platform
