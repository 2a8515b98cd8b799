// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// What the user chose in a ring's notification. front carries the activation token the notification
// service sent with the click, empty when it sent none.
struct RingNoticeAnswers
{
    std::function<void()> snooze;
    std::function<void()> ok;
    std::function<void(const std::string& activationToken)> front;
};

// One notification beside a ringing window; destroying it takes the notification away.
class RingNotice
{
public:
    virtual ~RingNotice() = default;
};

// Notifications for rings, where the session has a notification service: they reach the user where the
// window cannot (a locked screen, a compositor that keeps windows from the front). Without a service,
// or when it fails, nothing is shown and the window rings alone.
class RingNotices
{
public:
    virtual ~RingNotices() = default;
    // summary and body are plain text. An answer comes at most once, and never after the notice is gone.
    virtual std::unique_ptr<RingNotice> show(const std::string& summary, const std::string& body,
                                             RingNoticeAnswers answers) = 0;
};

} // namespace platform
