// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The rename is only durable once the folder's own entry list reaches the disk.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// umask() reads the mask only by setting it, and a thread of the media back end creating a file in that
// moment would get it world-writable; the kernel shows the mask of a running process in its status.
std::optional<mode_t> currentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) != 0)
            continue;
        char* end = nullptr;
        const unsigned long mask = std::strtoul(line.c_str() + 6, &end, 8);
        if (end == line.c_str() + 6 || mask > 0777)
            return std::nullopt;
        return static_cast<mode_t>(mask);
    }
    return std::nullopt;
}

} // namespace

bool makeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat info = {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
    if (!parent.empty() && parent != folder && !makeFolders(parent.string()))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool replaceFileAtomically(const std::string& path, std::string_view content)
{
    // A user who keeps the file elsewhere and links it in expects the link to stay and the file it names
    // to change; renaming over the link would silently part the two.
    std::filesystem::path target(path);
    std::error_code linkError;
    if (std::filesystem::is_symlink(target, linkError)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, linkError);
        if (!linkError)
            target = resolved;
    }
    // Appended, not "." + name: GCC 12 at -O3 takes that for an overlapping copy (-Wrestrict).
    std::string temp =
        (target.parent_path() / std::string(".").append(target.filename().string()).append(".XXXXXX"))
            .string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;

    // Keep the permissions of the file being replaced; a new file gets the usual 0666 less the umask, or
    // keeps the owner-only 0600 of mkstemp where the mask cannot be read.
    struct stat old = {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else if (const std::optional<mode_t> mask = currentUmask()) {
        ::fchmod(fd, 0666 & ~*mask);
    }

    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

} // namespace platform
