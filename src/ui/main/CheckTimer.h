#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QFileSystemWatcher;

namespace platform {
class Clock;
}

// The main window's Timer1. An alarm is due by the minute, so the check runs when its answer can change
// rather than 25 times a second: at the start of every minute (a precise single-shot timer armed afresh
// from the wall clock each time), whenever the program says something changed (runNow), and when
// Data.ini appears in the program's folder. A cheap look at the clock every few seconds catches a clock
// that was set or a machine that slept, which the monotonic timer alone would miss.
class CheckTimer : public QObject
{
    Q_OBJECT
public:
    explicit CheckTimer(const platform::Clock& clock, QObject* parent = nullptr);
    ~CheckTimer() override;

    // Runs the check when iniPath, the alarm store, appears (watched through its folder).
    void watchStore(const QString& iniPath);
    void setSafetyInterval(int milliseconds);

    // Enabled: runs the check at once, then at the start of every minute.
    void start();
    bool isActive() const { return m_active; }
    // Something the check reads changed: run it now (nothing while not enabled).
    void runNow();

    // Milliseconds from now to the start of the next minute by the wall clock: 1..60000.
    int msUntilNextMinute() const;
    int minuteTimerRemaining() const { return m_minute.remainingTime(); }

signals:
    void timeout();

private:
    void arm();
    void safetyCheck();
    void folderChanged();
    long long minuteKey() const;

    const platform::Clock& m_clock;
    QTimer m_minute;
    QTimer m_safety;
    QFileSystemWatcher* m_watcher = nullptr;
    QString m_iniPath;
    bool m_iniExisted = false;
    bool m_active = false;
    bool m_running = false;
    bool m_runAgain = false;
    long long m_lastRunMinute = -1;
};
