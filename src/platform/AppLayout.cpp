// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppLayout.h"

#include "text/Utf8Path.h"

namespace platform {
namespace {

std::string join(const std::string& folder, const std::string& name)
{
    return text::utf8Text((text::utf8Path(folder) / text::utf8Path(name)).lexically_normal());
}

} // namespace

std::string configHome(const std::string& xdgConfigHome, const std::string& home)
{
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return xdgConfigHome;
    if (home.empty())
        return {};
    return join(home, ".config");
}

AppLayout resolveLayout(const std::string& programFolder, const InstallDirs& dirs,
                        const std::string& configHomeFolder,
                        const std::function<bool(const std::string&)>& plainFileExists)
{
    AppLayout layout;
    const std::string besideSound = join(programFolder, "default.wav");
    layout.portable = plainFileExists(besideSound);
    if (layout.portable) {
        layout.dataFolder = programFolder;
        layout.defaultSound = besideSound;
    } else {
        layout.dataFolder = join(configHomeFolder, dataFolderName);
        layout.defaultSound = join(join(programFolder, dirs.dataDir), "default.wav");
    }
    const auto besideOrInstalled = [&](const std::string& name) {
        const std::string beside = join(programFolder, name);
        return plainFileExists(beside) ? beside : join(join(programFolder, dirs.helperDir), name);
    };
    layout.soundHelper = besideOrInstalled(dirs.helperFile);
    layout.wakeHelper = besideOrInstalled(wakeHelperName);
    return layout;
}

} // namespace platform
