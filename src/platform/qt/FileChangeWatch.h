// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace platform {

// Tells when a file may have changed, whoever changed it: a hand edit, a script, a sync program. The
// file's folder is watched, since a save that replaces the file (as every save of this program does)
// leaves a watch on the old file behind, and the file itself, since an edit in place changes no folder.
// Inotify wakes the program; nothing polls. A burst of changes gives one signal per settle time, the
// first one settle time after the burst began, so that a file still being written is read once it has
// settled rather than once per write.
class FileChangeWatch : public QObject
{
    Q_OBJECT
public:
    FileChangeWatch(const QString& path, std::chrono::milliseconds settle, QObject* parent = nullptr);

signals:
    void changed();

private:
    void noticed();
    void watchFile();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

} // namespace platform
