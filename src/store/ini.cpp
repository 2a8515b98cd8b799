#include "ini.h"

// Placeholder until the profile format lands.
namespace ini {
std::string ReadIni(const std::string&, const std::string&, const std::string&, const std::string& Default)
{
    return Default;
}
bool WriteIni(const std::string&, const std::string&, const std::string&, const std::string&) { return false; }
bool WriteIniKeys(const std::string&, const std::vector<KeyWrite>&) { return false; }
} // namespace ini
