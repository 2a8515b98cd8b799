#include "QtFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

std::string QtFiles::programFolder() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

bool QtFiles::plainFileExists(const std::string& path) const
{
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

} // namespace platform
