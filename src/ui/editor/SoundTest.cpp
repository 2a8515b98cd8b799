// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundTest.h"

namespace editor {

SoundTest::SoundTest(platform::SoundPlayerFactory& sounds, QObject* parent)
    : QObject(parent), m_sounds(sounds)
{
    m_poll.setInterval(100);
    connect(&m_poll, &QTimer::timeout, this, &SoundTest::poll);
}

SoundTest::~SoundTest() = default;

void SoundTest::play(const std::string& file, const platform::SoundLevel& level)
{
    stop();
    m_player = m_sounds.create();
    if (!m_player) {
        emit finished(QStringLiteral("no sound player"));
        return;
    }
    m_player->setFileAndPlay(file, level);
    m_poll.start();
    poll();
}

void SoundTest::stop()
{
    m_poll.stop();
    m_player.reset();
}

void SoundTest::poll()
{
    if (!m_player)
        return;
    const std::string failure = m_player->failure();
    // A length of 0 is a file still opening; the back end reports its end as a position at the length.
    const bool ended = m_player->length() > 0.0 && m_player->position() >= m_player->length();
    if (failure.empty() && !ended)
        return;
    stop();
    emit finished(QString::fromStdString(failure));
}

} // namespace editor
