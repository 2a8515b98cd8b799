#include "StdFiles.h"

#include "Utf8Path.h"

#include <system_error>

namespace platform {

bool StdFiles::plainFileExists(const std::string& path) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(utf8Path(path), error);
}

} // namespace platform
