// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Files.h"
#include "text/Utf8Path.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace fakes {

// Files over the standard library, for the logic tests and benchmarks that run without Qt.
class StdFiles : public platform::Files
{
public:
    explicit StdFiles(std::string folder) : m_folder(std::move(folder)) {}
    std::string programFolder() const override { return m_folder; }
    bool plainFileExists(const std::string& path) const override
    {
        std::error_code error;
        return std::filesystem::is_regular_file(text::utf8Path(path), error);
    }
    platform::FileStamp stamp(const std::string& path) const override { return platform::statFile(path); }

private:
    std::string m_folder;
};

} // namespace fakes
