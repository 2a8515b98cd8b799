// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelperSoundPlayerFactory.h"

#include "SoundHelperConnection.h"

#include <QApplication>

#include <cmath>
#include <deque>
#include <ostream>

namespace platform {
namespace {

namespace protocol = text::soundprotocol;

// How often a playing sound's position is asked for: the ring's loop reads it every 40 ms, and rounds it
// to whole seconds.
constexpr int stateInterval = 100;

class HelperSoundPlayer : public SoundPlayer
{
public:
    HelperSoundPlayer(HelperSoundPlayerFactory& factory, std::unique_ptr<SoundHelperConnection> helper)
        : m_factory(factory)
    {
        m_poll.setInterval(stateInterval);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] {
            if (m_helper->unanswered() == 0)
                send(protocol::command(protocol::Verb::State));
        });
        attach(std::move(helper));
    }
    ~HelperSoundPlayer() override
    {
        // Stopped and handed back, the helper can serve the next ring without starting again. Not one that
        // found no output: its sound server connection lost the device for good, and only a helper started
        // afresh finds one that comes back.
        if (m_helper && !m_helper->lost() && m_failure != noOutputDevice) {
            send(protocol::command(protocol::Verb::Stop));
            QObject::disconnect(m_helper.get(), nullptr, nullptr, nullptr);
            m_factory.keepSpare(std::move(m_helper));
        }
    }
    HelperSoundPlayer(const HelperSoundPlayer&) = delete;
    HelperSoundPlayer& operator=(const HelperSoundPlayer&) = delete;

    void setFileAndPlay(const std::string& path, const SoundLevel& level) override
    {
        if (!m_gone.empty())
            return;
        m_playing = protocol::playCommand(path, level.volume, level.fadeInSeconds);
        startOver();
    }
    double position() const override { return m_position; }
    double length() const override { return m_length; }
    void setPosition(double seconds) override
    {
        // A sound whose length is not known yet has not started: there is nothing to rewind, and asking
        // the back end to would only hold up its start.
        if (m_length <= 0.0)
            return;
        m_position = seconds;
        send(protocol::seekCommand(std::llround(seconds * 1000.0)));
    }
    void play() override
    {
        if (m_length > 0.0)
            send(protocol::command(protocol::Verb::Resume));
    }
    std::string failure() const override { return m_gone.empty() ? m_failure : m_gone; }

private:
    void attach(std::unique_ptr<SoundHelperConnection> helper)
    {
        m_helper = std::move(helper);
        // Replies still due from the helper's last player (its stop) are not this player's.
        m_replyTags.assign(m_helper->unanswered(), -1);
        QObject::connect(m_helper.get(), &SoundHelperConnection::replied, m_helper.get(),
                         [this](const protocol::Reply& reply) { take(reply); });
        QObject::connect(m_helper.get(), &SoundHelperConnection::lostContact, m_helper.get(),
                         [this] { helperLost(); });
    }
    void startOver()
    {
        ++m_start;
        m_position = m_length = 0.0;
        m_failure.clear();
        send(m_playing);
        m_poll.start();
    }
    void send(const protocol::Command& command)
    {
        m_replyTags.push_back(m_start);
        m_helper->send(command);
    }
    void take(const protocol::Reply& reply)
    {
        const int tag = m_replyTags.empty() ? -1 : m_replyTags.front();
        if (!m_replyTags.empty())
            m_replyTags.pop_front();
        // What the helper said about a file before the latest start no longer applies.
        if (tag != m_start)
            return;
        m_failure = reply.failure;
        if (!reply.failure.empty())
            return m_poll.stop();
        m_position = static_cast<double>(reply.position) / 1000.0;
        m_length = static_cast<double>(reply.length) / 1000.0;
    }
    void helperLost()
    {
        const std::string reason = m_helper->lostReason();
        m_poll.stop();
        if (m_restarted) {
            m_gone = "the sound helper failed twice: " + reason;
            return;
        }
        m_restarted = true;
        m_factory.log() << "wakery: the sound helper failed (" << reason << "); starting it again"
                        << std::endl;
        // Deleted later: this runs in one of its signals.
        m_helper.release()->deleteLater();
        attach(m_factory.connect());
        if (m_playing.verb == protocol::Verb::Play)
            startOver();
    }

    HelperSoundPlayerFactory& m_factory;
    std::unique_ptr<SoundHelperConnection> m_helper;
    QTimer m_poll;
    protocol::Command m_playing = protocol::command(protocol::Verb::Stop);
    int m_start = 0;
    std::deque<int> m_replyTags;
    double m_position = 0.0, m_length = 0.0;
    std::string m_failure, m_gone;
    bool m_restarted = false;
};

} // namespace

HelperSoundPlayerFactory::HelperSoundPlayerFactory(std::string helperProgram, std::ostream& log)
    : m_program(std::move(helperProgram)), m_log(log)
{
    m_spareEnd.setSingleShot(true);
    QObject::connect(&m_spareEnd, &QTimer::timeout, &m_spareEnd, [this] { m_spare.reset(); });
}

HelperSoundPlayerFactory::~HelperSoundPlayerFactory() = default;

void HelperSoundPlayerFactory::prepare()
{
    if (!m_spare || m_spare->lost())
        m_spare = connect();
    keepSpareFor(spareBeforeRing);
}

std::unique_ptr<SoundPlayer> HelperSoundPlayerFactory::create()
{
    auto helper = m_spare && !m_spare->lost() ? std::move(m_spare) : connect();
    m_spare.reset();
    return std::make_unique<HelperSoundPlayer>(*this, std::move(helper));
}

void HelperSoundPlayerFactory::beep()
{
    QApplication::beep();
}

std::unique_ptr<SoundHelperConnection> HelperSoundPlayerFactory::connect()
{
    return std::make_unique<SoundHelperConnection>(m_program);
}

void HelperSoundPlayerFactory::keepSpare(std::unique_ptr<SoundHelperConnection> helper)
{
    if (!m_spare)
        m_spare = std::move(helper);
    m_spareEnd.start(spareAfterRing);
}

void HelperSoundPlayerFactory::keepSpareFor(std::chrono::seconds time)
{
    if (!m_spareEnd.isActive() || m_spareEnd.remainingTimeAsDuration() < time)
        m_spareEnd.start(time);
}

} // namespace platform
