// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

std::string userConfigHome()
{
    std::string home = environment("HOME");
    // A session started without HOME (some service managers, su without -) still has an account.
    if (home.empty()) {
        if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr)
            home = account->pw_dir;
    }
    return configHome(environment("XDG_CONFIG_HOME"), home);
}

} // namespace platform
