// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

namespace platform {

class QtDialogs : public Dialogs
{
public:
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override;
    void showNotice(MessageIcon icon, const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;
};

} // namespace platform
