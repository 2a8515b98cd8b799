// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileDialog.h"

namespace fakes {

// Every open-file dialog is cancelled.
struct FakeFileDialog : platform::FileDialog
{
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&,
                                        const std::string&) override
    {
        return std::nullopt;
    }
};

} // namespace fakes
