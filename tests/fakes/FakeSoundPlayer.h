// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <map>
#include <memory>

namespace fakes {

// What the players of one factory were asked to do; position and length are what every player reports,
// and a test moves them to play the sound forward.
struct SoundLog
{
    int created = 0, alive = 0;
    std::vector<std::string> filesStarted; // every setFileAndPlay, in order
    std::vector<double> positionsSet;
    double position = 0.0, length = 0.0;
    std::map<std::string, std::string> failing; // a file the players give up on, with their reason
    std::string unusable;                       // set: every player can play nothing, for this reason
    int beeps = 0;
};

class FakeSoundPlayer : public platform::SoundPlayer
{
public:
    explicit FakeSoundPlayer(SoundLog& log) : m_log(log) { ++m_log.alive; }
    ~FakeSoundPlayer() override { --m_log.alive; }
    void setFileAndPlay(const std::string& path) override
    {
        m_log.filesStarted.push_back(path);
        m_log.position = 0.0;
        m_file = path;
    }
    double position() const override { return m_log.position; }
    double length() const override { return m_log.length; }
    void setPosition(double seconds) override { m_log.positionsSet.push_back(m_log.position = seconds); }
    void play() override {}
    std::string failure() const override
    {
        const auto found = m_log.failing.find(m_file);
        return !m_log.unusable.empty() ? m_log.unusable : found == m_log.failing.end() ? "" : found->second;
    }

private:
    SoundLog& m_log;
    std::string m_file;
};

struct FakeSoundPlayerFactory : platform::SoundPlayerFactory
{
    std::unique_ptr<platform::SoundPlayer> create() override
    {
        return ++log.created, std::make_unique<FakeSoundPlayer>(log);
    }
    void beep() override { ++log.beeps; }
    SoundLog log;
};

} // namespace fakes
