#pragma once

#include "platform/Files.h"

namespace platform {

class QtFiles : public Files
{
public:
    std::string programFolder() const override;
    bool plainFileExists(const std::string& path) const override;
    FileStamp stamp(const std::string& path) const override { return statFile(path); }
};

} // namespace platform
