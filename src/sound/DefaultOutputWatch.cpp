// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultOutputWatch.h"

#include <QAudioDevice>

namespace soundhelper {

DefaultOutputWatch::DefaultOutputWatch() : m_defaultId(QMediaDevices::defaultAudioOutput().id())
{
    connect(&m_devices, &QMediaDevices::audioOutputsChanged, this, &DefaultOutputWatch::check);
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
