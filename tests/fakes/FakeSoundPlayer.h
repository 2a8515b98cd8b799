#pragma once

#include "platform/SoundPlayer.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

// What the players of one factory were asked to do, and what they report back.
struct SoundLog
{
    int created = 0;
    int alive = 0;
    std::vector<std::string> filesStarted; // every setFileAndPlay, in order
    std::vector<double> positionsSet;
    int plays = 0;
    // What every player reports; a test moves these to play the sound forward.
    double position = 0.0;
    double length = 0.0;
    std::map<std::string, std::string> failing; // a file the players give up on, with their reason
    std::string unusable;                       // set: every player can play nothing, for this reason
    int beeps = 0;
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
        m_file = path;
    }
    double position() const override { return m_log.position; }
    double length() const override { return m_log.length; }
    void setPosition(double seconds) override
    {
        m_log.positionsSet.push_back(seconds);
        m_log.position = seconds;
    }
    void play() override { ++m_log.plays; }
    std::string failure() const override
    {
        const auto found = m_log.failing.find(m_file);
        return !m_log.unusable.empty() ? m_log.unusable : found == m_log.failing.end() ? "" : found->second;
    }

private:
    SoundLog& m_log;
    std::string m_file;
};

class FakeSoundPlayerFactory : public platform::SoundPlayerFactory
{
public:
    std::unique_ptr<platform::SoundPlayer> create() override
    {
        ++log.created;
        return std::make_unique<FakeSoundPlayer>(log);
    }
    void beep() override { ++log.beeps; }
    SoundLog log;
};

} // namespace fakes
