// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace text {

// Paths travel through the program as UTF-8. A plain std::string given to std::filesystem is taken in the
// system's narrow encoding, which on Windows is a legacy code page that cannot name every folder, so
// paths are built from and turned back into UTF-8 explicitly.
inline std::filesystem::path utf8Path(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8Text(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace text
