// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fakes {

// A fresh folder per test, removed afterwards even when a test took its rights away.
class TempFolder
{
public:
    TempFolder() { std::filesystem::create_directories(m_path); }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ostringstream content;
        content << std::ifstream(m_path / name, std::ios::binary).rdbuf();
        return content.str();
    }

private:
    std::filesystem::path m_path =
        std::filesystem::temp_directory_path() / ("wakery-test-" + std::to_string(std::random_device()()));
};

} // namespace fakes
