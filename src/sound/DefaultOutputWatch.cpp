// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultOutputWatch.h"

#include <QAudioDevice>

namespace soundhelper {

DefaultOutputWatch::DefaultOutputWatch() : m_defaultId(QMediaDevices::defaultAudioOutput().id())
{
    connect(&m_devices, &QMediaDevices::audioOutputsChanged, this, &DefaultOutputWatch::check);
    // Qt 6.4's PulseAudio back end keeps its device list up to date but never emits the change; asked
    // twice a second, the sound moves well within the two seconds a listener allows it.
    m_poll.setInterval(500);
    connect(&m_poll, &QTimer::timeout, this, &DefaultOutputWatch::check);
    m_poll.start();
}

void DefaultOutputWatch::check()
{
    // The list also changes when a device that is not the default comes or goes.
    const QByteArray id = QMediaDevices::defaultAudioOutput().id();
    if (id == m_defaultId)
        return;
    m_defaultId = id;
    emit changed();
}

} // namespace soundhelper
