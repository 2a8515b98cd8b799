// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <vector>

namespace fakes {

// Records every message box and returns at once, as if the user pressed OK.
class FakeDialogs : public platform::Dialogs
{
public:
    struct Shown
    {
        platform::MessageIcon icon;
        std::string title, text;
    };
    void showMessage(platform::MessageIcon icon, const std::string& title, const std::string& text) override
    {
        shown.push_back({icon, title, text});
    }
    bool askYesNo(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answerYes;
    }
    std::vector<Shown> shown;
    std::vector<std::string> asked; // the questions' texts
    bool answerYes = false;
};

} // namespace fakes
