// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

std::string QtFiles::programFolder() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

std::string QtFiles::dataFolder() const
{
    return m_layout.dataFolder.empty() ? programFolder() : m_layout.dataFolder;
}

std::string QtFiles::defaultSound() const
{
    return m_layout.defaultSound.empty() ? Files::defaultSound() : m_layout.defaultSound;
}

bool QtFiles::plainFileExists(const std::string& path) const
{
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

} // namespace platform
