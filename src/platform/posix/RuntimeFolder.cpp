// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool isPrivateFolder(const std::string& path, std::string& why)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0)
        why = path + ": " + std::strerror(errno);
    else if (!S_ISDIR(info.st_mode))
        why = path + " is not a folder";
    else if (info.st_uid != ::geteuid())
        why = path + " belongs to another user";
    else if ((info.st_mode & 077) != 0)
        why = path + " is open to other users";
    else
        return true;
    return false;
}

} // namespace

std::string privateRuntimeFolder(std::string& why)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && isPrivateFolder(runtime, why))
        return runtime;
    std::error_code error;
    std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error)
        temp = "/tmp";
    const std::string own = (temp / ("wakery-" + std::to_string(::geteuid()))).string();
    // A folder of that name made by someone else, or left open, fails the check: it is never used.
    ::mkdir(own.c_str(), 0700);
    if (isPrivateFolder(own, why))
        return own;
    return {};
}

} // namespace platform
