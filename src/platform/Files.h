// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// What tells one version of a file from the next without reading it: its size, modification time and
// identity on disk. A save that replaces the file gives it a new identity even within the same clock
// tick. Anything but a plain file (nothing, a folder) has the empty stamp.
struct FileStamp
{
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at path, as the system reports it now.
FileStamp statFile(const std::string& path);

class Files
{
public:
    virtual ~Files() = default;
    // The folder that holds the program's executable.
    virtual std::string programFolder() const = 0;
    // True only for a plain file: a folder or a missing path is false.
    virtual bool plainFileExists(const std::string& path) const = 0;
    // The folder that holds Data.ini: the program's folder unless the program is installed.
    virtual std::string dataFolder() const { return programFolder(); }
    // The sound of an alarm without one of its own: default.wav beside the program unless installed.
    virtual std::string defaultSound() const;
    virtual FileStamp stamp(const std::string& path) const = 0;
};

// The path of a file in the program's folder, built afresh on every call with the platform's separator.
std::string programFile(const Files& files, const std::string& name);
// The alarm store: "Data.ini" in the data folder.
std::string dataIniPath(const Files& files);

} // namespace platform
