// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AppLayout.h"
#include "platform/Files.h"

namespace platform {

class QtFiles : public Files
{
public:
    // Without a layout, Data.ini and default.wav lie beside the program.
    explicit QtFiles(AppLayout layout = {}) : m_layout(std::move(layout)) {}
    std::string programFolder() const override;
    bool plainFileExists(const std::string& path) const override;
    std::string dataFolder() const override;
    std::string defaultSound() const override;
    FileStamp stamp(const std::string& path) const override { return statFile(path); }

private:
    AppLayout m_layout;
};

} // namespace platform
