#pragma once

#include <string>

namespace platform {

class Files
{
public:
    virtual ~Files() = default;
    // The folder that holds the program's executable.
    virtual std::string programFolder() const = 0;
    // True only for a plain file: a folder or a missing path is false.
    virtual bool plainFileExists(const std::string& path) const = 0;
    // The folder that holds Data.ini: the program's folder unless the program is installed.
    virtual std::string dataFolder() const { return programFolder(); }
    // The sound of an alarm without one of its own: default.wav beside the program unless installed.
    virtual std::string defaultSound() const;
};

// The path of a file in the program's folder, built afresh on every call with the platform's separator.
std::string programFile(const Files& files, const std::string& name);
// The alarm store: "Data.ini" in the data folder.
std::string dataIniPath(const Files& files);

} // namespace platform
