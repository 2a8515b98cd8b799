#include "Files.h"

#include <filesystem>

namespace platform {

std::string programFile(const Files& files, const std::string& name)
{
    return (std::filesystem::path(files.programFolder()) / name).string();
}

std::string Files::defaultSound() const
{
    return programFile(*this, "default.wav");
}

std::string dataIniPath(const Files& files)
{
    return (std::filesystem::path(files.dataFolder()) / "Data.ini").string();
}

} // namespace platform
