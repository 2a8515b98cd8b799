// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <map>
#include <memory>

namespace fakes {

// What the players of one factory were asked to do; every player reports position and length from here.
struct SoundLog
{
    int alive = 0, beeps = 0, prepared = 0;
    std::vector<std::string> filesStarted;
    std::vector<double> positionsSet;
    platform::SoundLevel level; // of the latest start
    double position = 0.0, length = 0.0;
    std::map<std::string, std::string> failing; // a file the players give up on, with their reason
    std::string unusable;                       // set: every player fails, for this reason
};

class FakeSoundPlayer : public platform::SoundPlayer
{
public:
    explicit FakeSoundPlayer(SoundLog& log) : m_log(log) { ++m_log.alive; }
    ~FakeSoundPlayer() override { --m_log.alive; }
    void setFileAndPlay(const std::string& path, const platform::SoundLevel& level) override
    {
        m_log.filesStarted.push_back(m_file = path);
        m_log.level = level;
        m_log.position = 0.0;
    }
    double position() const override { return m_log.position; }
    double length() const override { return m_log.length; }
    void setPosition(double seconds) override { m_log.positionsSet.push_back(m_log.position = seconds); }
    void play() override {}
    std::string failure() const override
    {
        return m_log.unusable.empty() && m_log.failing.count(m_file) ? m_log.failing.at(m_file)
                                                                     : m_log.unusable;
    }

private:
    SoundLog& m_log;
    std::string m_file;
};

struct FakeSoundPlayerFactory : platform::SoundPlayerFactory
{
    std::unique_ptr<platform::SoundPlayer> create() override
    {
        return std::make_unique<FakeSoundPlayer>(log);
    }
    void beep() override { ++log.beeps; }
    void prepare() override { ++log.prepared; }
    SoundLog log;
};

} // namespace fakes
