// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultSnooze.h"

#include "Duration.h"
#include "store/ini.h"

namespace scheduler {

DefaultSnoozeResult storeDefaultSnooze(std::string& boxText, const std::string& iniPath)
{
    std::string text = boxText;
    if (!ValidDuration(text, boxText))
        return DefaultSnoozeResult::InvalidDuration;
    // The box's own text after the repair, blanks included: the notification window offers it as typed.
    if (!ini::WriteIni(iniPath, "Alarm", "DSnooze", boxText))
        return DefaultSnoozeResult::NotSaved;
    return DefaultSnoozeResult::Stored;
}

} // namespace scheduler
