#include "StdFiles.h"

namespace platform {

// The platform's own file information, which takes the path as UTF-8 everywhere.
bool StdFiles::plainFileExists(const std::string& path) const
{
    return statFile(path).exists;
}

} // namespace platform
