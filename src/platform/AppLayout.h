// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace platform {

// Where the program finds its own files and where it keeps Data.ini.
//
// A program whose folder holds default.wav runs from a folder of its own (the build folder or a copy of
// it): its sound helper and Data.ini lie beside it. An installed program never has default.wav beside it
// (that lies in share/wakery/), and its folder belongs to the system, so it is never written: Data.ini lives
// in the user's configuration folder. The installed files are looked for relative to the program, so a prefix
// that was moved elsewhere still works.
struct AppLayout
{
    bool portable = true;
    std::string dataFolder;   // holds Data.ini
    std::string defaultSound; // default.wav
    std::string soundHelper;  // the sound helper program, by its full file name
    std::string wakeHelper;   // the wake helper program, likewise
};

// Where the installed files lie, relative to the installed program's folder ("../share/wakery"), and the
// sound helper's file name. The wake helper lies in the sound helper's folder.
struct InstallDirs
{
    std::string dataDir;
    std::string helperDir;
    std::string helperFile;
};

inline constexpr const char* dataFolderName = "Wakery";
inline constexpr const char* wakeHelperName = "wakery-wake";

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path (a relative one is to be
// ignored), else home followed by "/.config". Empty when neither is known.
std::string configHome(const std::string& xdgConfigHome, const std::string& home);

// The layout of the program in programFolder; the sound and wake helpers are each taken from beside the
// program whenever they are there, else from their installed place, whether or not the program is portable.
AppLayout resolveLayout(const std::string& programFolder, const InstallDirs& dirs,
                        const std::string& configHomeFolder,
                        const std::function<bool(const std::string&)>& plainFileExists);

} // namespace platform
