// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include "Wide.h"

namespace platform {
namespace {

std::uint64_t join(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

constexpr std::uint64_t unixEpochIn100ns = 116'444'736'000'000'000; // 1601-01-01 to 1970-01-01

} // namespace

FileStamp statFile(const std::string& path)
{
    // No access asked for: only the file's information is read, and a file open elsewhere still answers.
    const HANDLE file =
        CreateFileW(windows::widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!ok || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {};
    const std::uint64_t written =
        join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    return {true, join(info.nFileSizeHigh, info.nFileSizeLow),
            (static_cast<std::int64_t>(written) - static_cast<std::int64_t>(unixEpochIn100ns)) * 100,
            info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow)};
}

} // namespace platform
