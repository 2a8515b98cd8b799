// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The only access to Data.ini. Every call goes to the file; nothing is cached.
namespace ini {

// The stored value of Key in Section, or Default when the file, the section or the key is absent.
// Section and key names match without regard to ASCII case; a value comes back as at most its first
// 254 bytes, never cutting a UTF-8 character in two.
std::string ReadIni(const std::string& FileName, const std::string& Section, const std::string& Key,
                    const std::string& Default);

// Sets Key in Section to Value (CR and LF become blanks), creating the file, the section or the key as
// needed and keeping every other byte of the file. The file is replaced atomically; false when it could
// not be written, and the old file is then whole. Also false, with nothing written, for a file that
// exists but cannot be read, and for names no profile line can hold (empty, a line break, ']' in a
// section, '=' in a key or a key starting with ';' or '['). Writing the value a key already has leaves
// the file untouched and gives true.
bool WriteIni(const std::string& FileName, const std::string& Section, const std::string& Key,
              const std::string& Value);

struct KeyWrite
{
    std::string section;
    std::string key;
    std::string value{};
    bool remove = false; // takes the key out instead; value is not used
};

// Applies the writes in order as one atomic replacement of the file: afterwards the file holds all of
// them or, when false is returned, none. The content equals that of the same WriteIni calls in a row.
bool WriteIniKeys(const std::string& FileName, const std::vector<KeyWrite>& writes);

} // namespace ini
