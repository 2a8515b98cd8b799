// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// The program's name towards the desktop: it names the menu entry, the metainfo, the icons and the
// autostart file.
inline constexpr const char* applicationId = "org.wakery.Wakery";
// Seconds the desktop waits before starting the program at login, so that the panel with its
// notification area is there first.
inline constexpr int autostartDelaySeconds = 5;

// Whether the program starts when the user logs in.
class Autostart
{
public:
    virtual ~Autostart() = default;
    // As the desktop reads it, afresh on every call.
    virtual bool isEnabled() const = 0;
    // False when the change could not be made; the previous state is then kept.
    virtual bool setEnabled(bool on) = 0;
};

// $XDG_CONFIG_HOME/autostart/<application id>.desktop, given the configuration folder.
std::string autostartFilePath(const std::string& configHomeFolder);

// The Exec value that starts programPath: quoted and escaped as desktop entries require. Empty for a path
// no Exec value can hold (a line break).
std::string desktopExec(const std::string& programPath);

// Our autostart entry for the program at programPath.
std::string autostartEntry(const std::string& programPath);

// Whether an autostart file with this content starts the program at programPath: its Exec is ours and
// neither Hidden=true nor X-GNOME-Autostart-enabled=false switches it off.
bool startsProgram(const std::string& content, const std::string& programPath);

// Start at login through a file in the desktop's autostart folder: written in one atomic step, removed to
// switch it off. A file that is not ours (another program, an unreadable one) reads as off, and switching
// on replaces it.
class AutostartFile : public Autostart
{
public:
    AutostartFile(std::string filePath, std::string programPath)
        : m_filePath(std::move(filePath)), m_programPath(std::move(programPath))
    {
    }
    bool isEnabled() const override;
    bool setEnabled(bool on) override;

private:
    std::string m_filePath;
    std::string m_programPath;
};

} // namespace platform
