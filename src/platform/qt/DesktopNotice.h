// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QObject>

#include <string>

namespace platform {

// A quiet notice to the user: a desktop notification (org.freedesktop.Notifications on the session bus)
// without sound and of normal urgency, or, where the session has no notification service, an
// information box titled "Wakery". Returns at once either way; the box opens from the event loop.
class DesktopNotice : public QObject
{
    Q_OBJECT
public:
    explicit DesktopNotice(Dialogs& dialogs, QObject* parent = nullptr);
    void show(const std::string& summary, const std::string& body);

private:
    void showBox(const std::string& body);

    Dialogs& m_dialogs;
};

} // namespace platform
