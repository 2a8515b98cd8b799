// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace platform {

std::string absoluteSoundPath(const std::string& path)
{
    if (path.empty())
        return path;
    // QUrl::fromLocalFile keeps a relative "http://host/x.wav" as a path that the FFmpeg back end then
    // reads as a network address; an absolute path always starts with the root and is opened as a file.
    return QDir::cleanPath(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
}

QtSoundPlayer::QtSoundPlayer()
    : m_output(std::make_unique<QAudioOutput>()), m_player(std::make_unique<QMediaPlayer>()),
      m_fade(std::make_unique<QTimer>())
{
    // Steps of a few thousandths of the volume: no step can be heard, and the timer wakes little.
    m_fade->setInterval(50);
    QObject::connect(m_fade.get(), &QTimer::timeout, m_fade.get(), [this] { stepFade(); });
    // Qt 6.4's FFmpeg back end reports a file it cannot open only through this signal: error() reads
    // NoError again right after, and the state says playing.
    QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, m_player.get(),
                     [this](QMediaPlayer::Error, const QString& text) {
                         m_failed = true;
                         m_failure = text.isEmpty() ? "the player cannot read it" : text.toStdString();
                     });
    m_noDevice = QMediaDevices::defaultAudioOutput().isNull();
}

QtSoundPlayer::~QtSoundPlayer()
{
    // Stop before the output goes so the back end never writes to a device being torn down.
    m_fade->stop();
    m_player->stop();
    m_player->setAudioOutput(nullptr);
}

void QtSoundPlayer::setFileAndPlay(const std::string& path, const SoundLevel& level)
{
    startFade(level);
    const std::string absolute = absoluteSoundPath(path);
    const QUrl url = absolute.empty() ? QUrl() : QUrl::fromLocalFile(QString::fromStdString(absolute));
    if (url == m_player->source() && !url.isEmpty()) {
        // Qt does not reload the same source; starting over from a stop does the same.
        m_player->stop();
        m_player->play();
        return;
    }
    attachOutputIfDeviceExists();
    m_failed = false;
    m_failure.clear();
    // Known at once, without waiting a second for the back end to say so. A value such as "http://..."
    // is never handed over: the player opens local files only.
    const QFileInfo file(QString::fromStdString(absolute));
    const std::size_t scheme = path.find("://");
    if (scheme != std::string::npos && path.find('/') > scheme)
        m_failure = "not a local file";
    else if (!file.isFile())
        m_failure = "no such file";
    else if (!file.isReadable())
        m_failure = "the file cannot be read";
    if (!m_failure.empty()) {
        m_failed = true;
        m_player->setSource(QUrl());
        return;
    }
    m_player->setSource(url);
    if (!url.isEmpty())
        m_player->play();
}

void QtSoundPlayer::attachOutputIfDeviceExists()
{
    // Qt 6.4's FFmpeg back end crashes in its audio thread when it renders to an output with no device
    // behind it (no sound server, no card). Without an output it still plays the file silently, so the
    // window's position and length keep working.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    m_noDevice = device.isNull();
    if (device.isNull()) {
        m_player->setAudioOutput(nullptr);
        return;
    }
    m_output->setDevice(device);
    m_player->setAudioOutput(m_output.get());
}

// The fade runs from the start asked for, not from the first sound: the back end's opening delay is at
// most a second or so, which starts a fade of 15 s or more barely above a fifth.
void QtSoundPlayer::startFade(const SoundLevel& level)
{
    m_level = level;
    m_fadeStart = std::chrono::steady_clock::now();
    m_fade->start();
    stepFade();
}

void QtSoundPlayer::stepFade()
{
    double share = 1.0;
    if (m_level.fadeInSeconds > 0) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_fadeStart;
        share = std::min(1.0, 0.2 + 0.8 * elapsed.count() / m_level.fadeInSeconds);
    }
    if (share >= 1.0)
        m_fade->stop();
    m_output->setVolume(static_cast<float>(share * m_level.volume / 100.0));
}

double QtSoundPlayer::position() const
{
    // A sound that played to its end (the window's timer was held up past the restart point) reports
    // its end, so that the repeat check starts it again whatever position the back end keeps.
    if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
        return length();
    return static_cast<double>(m_player->position()) / 1000.0;
}

double QtSoundPlayer::length() const
{
    return static_cast<double>(m_player->duration()) / 1000.0;
}

void QtSoundPlayer::setPosition(double seconds)
{
    if (seconds > 0.0) {
        m_player->setPosition(static_cast<qint64>(std::llround(seconds * 1000.0)));
        return;
    }
    // Qt 6.4's FFmpeg back end goes silent for good when a playing sound is sought back to 0 (setLoops
    // too), while reporting that it plays; a stop rewinds it, and playing again from there has no gap.
    const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
    m_player->stop();
    if (playing)
        m_player->play();
}

void QtSoundPlayer::play()
{
    m_player->play();
}

std::string QtSoundPlayer::failure() const
{
    if (!m_failure.empty())
        return m_failure;
    if (m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
        return "the player cannot read it";
    // Without a device the back end plays on in silence, which for an alarm is no sound at all.
    if (m_noDevice)
        return noOutputDevice;
    return {};
}

bool QtSoundPlayer::failed() const
{
    return m_failed || m_player->mediaStatus() == QMediaPlayer::InvalidMedia;
}

} // namespace platform
