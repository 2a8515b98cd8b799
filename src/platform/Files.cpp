// SPDX-License-Identifier: GPL-3.0-or-later
#include "Files.h"

#include "text/Utf8Path.h"

namespace platform {

std::string programFile(const Files& files, const std::string& name)
{
    return text::utf8Text(text::utf8Path(files.programFolder()) / text::utf8Path(name));
}

std::string Files::defaultSound() const
{
    return programFile(*this, "default.wav");
}

std::string dataIniPath(const Files& files)
{
    return text::utf8Text(text::utf8Path(files.dataFolder()) / "Data.ini");
}

} // namespace platform
