// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace platform {

class FileDialog
{
public:
    virtual ~FileDialog() = default;
    // An open-file dialog; the chosen file's full path, or nullopt when the user cancelled.
    // filterName names the one filter, pattern is its glob ("*" for every file).
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filterName,
                                                const std::string& pattern, const std::string& startPath) = 0;
};

} // namespace platform
