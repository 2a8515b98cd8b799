#pragma once

#include "Files.h"

namespace platform {

// Files over the standard library, for tools and logic tests that run without Qt.
class StdFiles : public Files
{
public:
    explicit StdFiles(std::string folder) : m_folder(std::move(folder)) {}
    std::string programFolder() const override { return m_folder; }
    bool plainFileExists(const std::string& path) const override;
    FileStamp stamp(const std::string& path) const override { return statFile(path); }

private:
    std::string m_folder;
};

} // namespace platform
