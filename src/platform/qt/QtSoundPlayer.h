// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <chrono>
#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QTimer;

namespace platform {

// Qt Multimedia behind the program's player: no window, no error dialogs. The value given
// is always a local file: a path that looks like a URL is still opened as a file, never over a network.
class QtSoundPlayer : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    void setFileAndPlay(const std::string& path, const SoundLevel& level) override;
    double position() const override;
    double length() const override;
    void setPosition(double seconds) override;
    void play() override;
    std::string failure() const override;

    // For tests: true once the player gave up on the current file.
    bool failed() const;

private:
    void attachOutputIfDeviceExists();
    void startFade(const SoundLevel& level);
    void stepFade();

    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_failed = false;
    std::string m_failure;
    bool m_noDevice = false;
    std::unique_ptr<QTimer> m_fade;
    SoundLevel m_level;
    std::chrono::steady_clock::time_point m_fadeStart;
};

// The absolute form of a sound path: a relative one resolves against the current folder, as a plain file
// open would. Empty stays empty.
std::string absoluteSoundPath(const std::string& path);

} // namespace platform
