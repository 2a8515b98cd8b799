// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

enum class MessageIcon { Critical, Information };

// Message boxes with a single OK button; showMessage returns when the user has dismissed the box.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void showMessage(MessageIcon icon, const std::string& title, const std::string& text) = 0;
    // A question with the buttons Yes and No, No being the default; true when the user chose Yes.
    // Implementations that cannot ask answer No.
    virtual bool askYesNo(const std::string& title, const std::string& text)
    {
        (void)title;
        (void)text;
        return false;
    }
    // A box with OK that blocks no window and returns at once: a notice shown while an alarm may ring,
    // which must keep taking keys and staying in front.
    virtual void showNotice(MessageIcon icon, const std::string& title, const std::string& text)
    {
        showMessage(icon, title, text);
    }
};

inline constexpr const char* applicationTitle = "Wakery";

// The program's way of reporting a user error: critical icon, OK only, titled with the program's name.
inline void showError(Dialogs& dialogs, const std::string& text)
{
    dialogs.showMessage(MessageIcon::Critical, applicationTitle, text);
}

} // namespace platform
