#include "Files.h"

#include "Utf8Path.h"

namespace platform {

std::string programFile(const Files& files, const std::string& name)
{
    return utf8Text(utf8Path(files.programFolder()) / utf8Path(name));
}

std::string Files::defaultSound() const
{
    return programFile(*this, "default.wav");
}

std::string dataIniPath(const Files& files)
{
    return utf8Text(utf8Path(files.dataFolder()) / "Data.ini");
}

} // namespace platform
