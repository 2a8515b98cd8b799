// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RingNotices.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>

namespace platform {

// Ring notifications through org.freedesktop.Notifications on the session bus: critical (they stay until
// answered, over full-screen programs and on a lock screen), silent (the window plays the alarm's sound),
// with the actions Snooze and OK and a click on the body that brings the window to the front.
class DBusRingNotices : public QObject, public RingNotices
{
    Q_OBJECT
public:
    explicit DBusRingNotices(QObject* parent = nullptr);
    ~DBusRingNotices() override;

    std::unique_ptr<RingNotice> show(const std::string& summary, const std::string& body,
                                     RingNoticeAnswers answers) override;

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onActivationToken(uint id, const QString& token);
    void onClosed(uint id, uint reason);

private:
    class Notice;
    struct Sent
    {
        RingNoticeAnswers answers;
        QString token;
    };
    void withdraw(Notice* notice);
    static void close(uint id);

    bool m_connected = false;
    bool m_bodyMarkup = false;
    std::uint64_t m_lastSerial = 0;
    std::map<std::uint64_t, Sent> m_unnamed; // by the notice's serial, until the service gives the id
    std::map<uint, Sent> m_named;            // by the service's id, while the notification stands
    std::map<std::uint64_t, uint> m_ids;     // the id of each named notice
};

} // namespace platform
