// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

namespace editor {

// The editor's Test: the chosen file played once from its start at the chosen level, so that a bad file
// shows up while the user is there to see it rather than at the ring. The player exists only while the
// file plays, and goes with stop() or with this object.
class SoundTest : public QObject
{
    Q_OBJECT
public:
    explicit SoundTest(platform::SoundPlayerFactory& sounds, QObject* parent = nullptr);
    ~SoundTest() override;

    // Stops whatever plays and starts file.
    void play(const std::string& file, const platform::SoundLevel& level);
    void stop();
    bool playing() const { return m_player != nullptr; }

signals:
    // The file played to its end, or could not be played (reason set, as the player words it): either way
    // nothing plays any more.
    void finished(const QString& reason);

private:
    // The player opens the file in the background: its failure and its end are only known later.
    void poll();

    platform::SoundPlayerFactory& m_sounds;
    std::unique_ptr<platform::SoundPlayer> m_player;
    QTimer m_poll;
};

} // namespace editor
