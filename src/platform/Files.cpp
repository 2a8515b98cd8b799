#include "Files.h"

#include <filesystem>

namespace platform {

std::string programFile(const Files& files, const std::string& name)
{
    return (std::filesystem::path(files.programFolder()) / name).string();
}

std::string dataIniPath(const Files& files)
{
    return programFile(files, "Data.ini");
}

} // namespace platform
