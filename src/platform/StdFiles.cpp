#include "StdFiles.h"

#include <filesystem>
#include <system_error>

namespace platform {

bool StdFiles::plainFileExists(const std::string& path) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace platform
