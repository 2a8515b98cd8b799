// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include "Wide.h"

#include <algorithm>
#include <filesystem>

namespace platform {
namespace {

bool writeAll(HANDLE file, std::string_view content)
{
    while (!content.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr))
            return false;
        content.remove_prefix(written);
    }
    return true;
}

bool makeWideFolders(const std::filesystem::path& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !makeWideFolders(parent))
        return false;
    // Inside the user's profile a new folder inherits an access list that admits the user alone.
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

bool makeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    const std::wstring wide = windows::widen(folder);
    return !wide.empty() && makeWideFolders(wide);
}

bool replaceFileAtomically(const std::string& path, std::string_view content)
{
    const std::filesystem::path target = windows::widen(path);
    if (target.empty())
        return false;
    // Beside the target, so that the move is a rename on one volume and never a copy.
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = (target.parent_path() /
                (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(attempt)))
                   .wstring();
        file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeAll(file, content) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    // WRITE_THROUGH: the call returns only once the new entry is on disk, as the folder sync does elsewhere.
    if (ok)
        ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(temp.c_str());
    return ok;
}

} // namespace platform
