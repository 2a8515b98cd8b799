#include "CheckTimer.h"

#include "platform/Clock.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

#include <cstdlib>

namespace {
constexpr int millisecondsPerMinute = 60'000;
// A jump of the wall clock inside one minute that moves the minute's start by more than this re-arms.
constexpr int driftTolerance = 100;
} // namespace

CheckTimer::CheckTimer(const platform::Clock& clock, QObject* parent) : QObject(parent), m_clock(clock)
{
    m_minute.setSingleShot(true);
    m_minute.setTimerType(Qt::PreciseTimer);
    connect(&m_minute, &QTimer::timeout, this, &CheckTimer::runNow);
    // Coarse: the safety look needs no precision, and a coarse timer lets the system batch wake-ups.
    m_safety.setTimerType(Qt::VeryCoarseTimer);
    m_safety.setInterval(5'000);
    connect(&m_safety, &QTimer::timeout, this, &CheckTimer::safetyCheck);
}

CheckTimer::~CheckTimer() = default;

void CheckTimer::watchStore(const QString& iniPath)
{
    m_iniPath = iniPath;
    m_iniExisted = QFileInfo(iniPath).isFile();
    if (m_watcher == nullptr) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &CheckTimer::folderChanged);
    }
    const QString folder = QFileInfo(iniPath).absolutePath();
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
}

void CheckTimer::setSafetyInterval(int milliseconds)
{
    m_safety.setInterval(milliseconds);
}

void CheckTimer::start()
{
    if (m_active)
        return;
    m_active = true;
    m_safety.start();
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
        m_lastRunMinute = minuteKey();
        emit timeout();
    } while (m_runAgain && m_active);
    m_running = false;
    arm();
}

int CheckTimer::msUntilNextMinute() const
{
    const platform::LocalDateTime now = m_clock.now();
    const int into = (now.second * 1000 + now.millisecond) % millisecondsPerMinute;
    return millisecondsPerMinute - into;
}

void CheckTimer::arm()
{
    m_minute.start(msUntilNextMinute());
}

long long CheckTimer::minuteKey() const
{
    const platform::LocalDateTime now = m_clock.now();
    return ((((static_cast<long long>(now.year) * 13 + now.month) * 32 + now.day) * 24 + now.hour) * 60) +
           now.minute;
}

void CheckTimer::safetyCheck()
{
    if (!m_active)
        return;
    // A minute that went by without a check: the clock was set forward or the machine slept.
    if (minuteKey() != m_lastRunMinute) {
        runNow();
        return;
    }
    // Same minute, but the clock moved under the monotonic timer: aim it at the new minute start.
    if (std::abs(m_minute.remainingTime() - msUntilNextMinute()) > driftTolerance)
        arm();
}

void CheckTimer::folderChanged()
{
    const bool exists = QFileInfo(m_iniPath).isFile();
    const bool appeared = exists && !m_iniExisted;
    m_iniExisted = exists;
    if (appeared)
        runNow();
}
