// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileDialog.h"

namespace platform {

// The toolkit's open-file dialog, over the program's active window.
class QtFileDialog : public FileDialog
{
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern, const std::string& startPath) override;
};

} // namespace platform
