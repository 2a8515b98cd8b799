// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChangeWatch.h"

#include <QFileInfo>

namespace platform {

FileChangeWatch::FileChangeWatch(const QString& path, std::chrono::milliseconds settle, QObject* parent)
    : QObject(parent), m_path(path)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settle);
    connect(&m_settle, &QTimer::timeout, this, &FileChangeWatch::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileChangeWatch::noticed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileChangeWatch::noticed);
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    watchFile();
}

void FileChangeWatch::noticed()
{
    // A file replaced by a rename is a new file: its watch went with the old one.
    watchFile();
    if (!m_settle.isActive())
        m_settle.start();
}

void FileChangeWatch::watchFile()
{
    if (QFileInfo(m_path).isFile() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

} // namespace platform
