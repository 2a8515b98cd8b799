// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileDialog.h"

#include <vector>

namespace fakes {

// Every open-file dialog answers at once with `chosen` (none: cancelled); where each started is kept.
struct FakeFileDialog : platform::FileDialog
{
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&,
                                        const std::string& start) override
    {
        startedAt.push_back(start);
        return chosen;
    }
    std::optional<std::string> chosen;
    std::vector<std::string> startedAt;
};

} // namespace fakes
