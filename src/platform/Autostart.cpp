// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autostart.h"

#include "AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::string autostartFilePath(const std::string& configHomeFolder)
{
    return (std::filesystem::path(configHomeFolder) / "autostart" / (std::string(applicationId) + ".desktop"))
        .string();
}

std::string desktopExec(const std::string& programPath)
{
    if (programPath.find_first_of("\r\n") != std::string::npos)
        return {};
    // Inside the quotes ", `, $ and \ take a backslash; then the value as a whole escapes its own
    // backslashes, and % (a field code) is doubled.
    std::string quoted = "\"";
    for (const char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '%')
            value += "%%";
        else
            value += c;
    }
    return value;
}

std::string autostartEntry(const std::string& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Wakery\n"
           "Comment=Alarms and reminders\n"
           "Exec=" +
           desktopExec(programPath) +
           "\n"
           "Icon=" +
           applicationId +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n"
           "X-GNOME-Autostart-Delay=" +
           std::to_string(autostartDelaySeconds) + "\n";
}

bool startsProgram(const std::string& content, const std::string& programPath)
{
    std::istringstream lines(content);
    std::string line;
    bool inEntry = false;
    bool ours = false;
    bool off = false;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string::npos)
            continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (key == "Exec")
            ours = !value.empty() && value == desktopExec(programPath);
        else if (key == "Hidden")
            off = off || value == "true";
        else if (key == "X-GNOME-Autostart-enabled")
            off = off || value == "false";
    }
    return ours && !off;
}

bool AutostartFile::isEnabled() const
{
    std::ifstream file(m_filePath, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    return startsProgram(content.str(), m_programPath);
}

bool AutostartFile::setEnabled(bool on)
{
    if (on) {
        if (desktopExec(m_programPath).empty())
            return false;
        // A new account may have no autostart folder yet.
        return makeFolders(std::filesystem::path(m_filePath).parent_path().string()) &&
               replaceFileAtomically(m_filePath, autostartEntry(m_programPath));
    }
    std::error_code error;
    std::filesystem::remove(m_filePath, error);
    return !error;
}

} // namespace platform
