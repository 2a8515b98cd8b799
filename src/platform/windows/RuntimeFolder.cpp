// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include "Wide.h"

#include <cstdlib>

namespace platform {

// The local application data folder lies in the user's profile, which admits the user alone.
std::string privateRuntimeFolder(std::string& why)
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (local == nullptr) {
        why = "LOCALAPPDATA is not set";
        return {};
    }
    const DWORD attributes = GetFileAttributesW(local);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        why = windows::narrow(local) + " is not a folder";
        return {};
    }
    return windows::narrow(local);
}

} // namespace platform
