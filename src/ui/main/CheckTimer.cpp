// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckTimer.h"

#include "platform/qt/QtMinuteTimer.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

CheckTimer::CheckTimer(const platform::Clock& clock, QObject* parent)
    : QObject(parent), m_minute(std::make_unique<platform::QtMinuteTimer>(clock))
{
    m_minute->fired = [this] { runNow(); };
}

CheckTimer::~CheckTimer() = default;

void CheckTimer::watchStore(const QString& iniPath)
{
    m_iniPath = iniPath;
    m_iniExisted = QFileInfo(iniPath).isFile();
    if (m_watcher == nullptr) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &CheckTimer::folderChanged);
    }
    const QString folder = QFileInfo(iniPath).absolutePath();
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
}

void CheckTimer::setMinuteTimer(std::unique_ptr<platform::MinuteTimer> timer)
{
    m_minute = std::move(timer);
    m_minute->fired = [this] { runNow(); };
    if (m_active)
        m_minute->armNextMinute();
}

void CheckTimer::start()
{
    if (m_active)
        return;
    m_active = true;
    runNow();
}

void CheckTimer::runNow()
{
    if (!m_active)
        return;
    // A check can cause another request (a window closed inside it); run again once it is done instead
    // of inside itself.
    if (m_running) {
        m_runAgain = true;
        return;
    }
    m_running = true;
    do {
        m_runAgain = false;
        emit timeout();
    } while (m_runAgain && m_active);
    m_running = false;
    m_minute->armNextMinute();
}

void CheckTimer::folderChanged()
{
    const bool exists = QFileInfo(m_iniPath).isFile();
    const bool appeared = exists && !m_iniExisted;
    m_iniExisted = exists;
    if (appeared)
        runNow();
}
