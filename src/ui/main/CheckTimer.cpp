// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckTimer.h"

#include "platform/qt/QtMinuteTimer.h"

CheckTimer::CheckTimer(const platform::Clock& clock, QObject* parent)
    : QObject(parent), m_minute(std::make_unique<platform::QtMinuteTimer>(clock))
{
    m_minute->fired = [this] { runNow(); };
}

CheckTimer::~CheckTimer() = default;

void CheckTimer::setMinuteTimer(std::unique_ptr<platform::MinuteTimer> timer)
{
    m_minute = std::move(timer);
    m_minute->fired = [this] { runNow(); };
    if (m_active)
        m_minute->armNextMinute();
}

void CheckTimer::start()
{
    if (m_active)
        return;
    m_active = true;
    runNow();
}

void CheckTimer::runNow()
{
    if (!m_active)
        return;
    // A check can cause another request (a window closed inside it); run again once it is done instead
    // of inside itself.
    if (m_running) {
        m_runAgain = true;
        return;
    }
    m_running = true;
    do {
        m_runAgain = false;
        emit timeout();
    } while (m_runAgain && m_active);
    m_running = false;
    m_minute->armNextMinute();
}
