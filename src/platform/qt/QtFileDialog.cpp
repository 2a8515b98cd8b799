// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace platform {

std::optional<std::string> QtFileDialog::openFile(const std::string& title, const std::string& filterName,
                                                  const std::string& pattern, const std::string& startPath)
{
    const QString filter =
        QStringLiteral("%1 (%2)").arg(QString::fromStdString(filterName), QString::fromStdString(pattern));
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                     QString::fromStdString(startPath), filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

} // namespace platform
