// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UserFolders.h"

#include "Wide.h"

#include <cstdlib>

namespace platform {

// Windows keeps each user's settings in the roaming application data folder.
std::string userConfigHome()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData == nullptr ? std::string() : windows::narrow(appData);
}

} // namespace platform
