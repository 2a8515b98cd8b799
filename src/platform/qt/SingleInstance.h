#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace platform {

// Keeps one copy of the program running per program folder and user, so that no alarm rings twice and
// no two copies write Data.ini over each other. A later start asks the running copy to show its main
// window and then ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);

    // True when this process is to run: no other copy answered, so this one now listens for later
    // starts. Also true when the guard cannot work at all (no local socket can be made), as an alarm
    // program that refuses to start is worse than one that might run twice. False when a running copy
    // answered; it has been asked to show itself.
    bool claim();

    const QString& serverName() const { return m_name; }

signals:
    // A later start from the same folder wants the main window.
    void showRequested();

private:
    bool askRunningCopy();
    void acceptConnection();

    QString m_name;
    QLocalServer m_server;
};

} // namespace platform
