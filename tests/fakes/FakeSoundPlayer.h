#pragma once

#include "platform/SoundPlayer.h"

#include <memory>
#include <string>
#include <vector>

namespace fakes {

// What the players of one factory were asked to do; position and length are what every player reports,
// and a test moves them to play the sound forward.
struct SoundLog
{
    int created = 0, alive = 0, plays = 0;
    std::vector<std::string> filesStarted; // every setFileAndPlay, in order
    std::vector<double> positionsSet;
    double position = 0.0, length = 0.0;
};

class FakeSoundPlayer : public platform::SoundPlayer
{
public:
    explicit FakeSoundPlayer(SoundLog& log) : m_log(log) { ++m_log.alive; }
    ~FakeSoundPlayer() override { --m_log.alive; }
    FakeSoundPlayer(const FakeSoundPlayer&) = delete;
    FakeSoundPlayer& operator=(const FakeSoundPlayer&) = delete;
    void setFileAndPlay(const std::string& path) override
    {
        m_log.filesStarted.push_back(path);
        m_log.position = 0.0;
    }
    double position() const override { return m_log.position; }
    double length() const override { return m_log.length; }
    void setPosition(double seconds) override { m_log.positionsSet.push_back(m_log.position = seconds); }
    void play() override { ++m_log.plays; }

private:
    SoundLog& m_log;
};

struct FakeSoundPlayerFactory : platform::SoundPlayerFactory
{
    std::unique_ptr<platform::SoundPlayer> create() override
    {
        return ++log.created, std::make_unique<FakeSoundPlayer>(log);
    }
    SoundLog log;
};

} // namespace fakes
