// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// SIGTERM (what a session manager and a service manager send), SIGINT and SIGHUP, turned into a signal of
// the event loop, so that the program ends the way Exit ends it: after whatever it is doing (a save is
// never cut in half), with its sound stopped and its socket file removed. One per program.
class EndSignals : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

signals:
    void endRequested(int signalNumber);

private:
    void received();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
