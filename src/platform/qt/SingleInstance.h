// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <chrono>

class QSocketNotifier;

namespace platform {

// Keeps one copy of the program running per program folder and user, so that no alarm rings twice and
// no two copies write Data.ini over each other. A later start asks the running copy to show its main
// window and then ends. The socket lives in a folder only the user can enter, so no other user can
// answer in the running copy's place.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr,
                            std::chrono::milliseconds answerWait = std::chrono::seconds(1));
    ~SingleInstance() override;

    // True when this process is to run: no other copy answered within the wait, so this one now listens
    // for later starts. Also true when the guard cannot work at all (no private folder, no socket), as an
    // alarm program that refuses to start is worse than one that might run twice. False when a running
    // copy answered; it shows itself.
    bool claim();

    // Empty when there is no private folder to put the socket in.
    const QString& serverName() const { return m_name; }
    // One line for the user when the guard could not do its work, or empty.
    const QString& note() const { return m_note; }

signals:
    // A later start from the same folder wants the main window.
    void showRequested();

private:
    enum class Answer { None, Answered, Silent };
    Answer askRunningCopy();
    bool listen(bool& inUse);
    void acceptConnection();

    QString m_name;
    QString m_note;
    std::chrono::milliseconds m_answerWait;
    int m_listener = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
