#include "DefaultSnooze.h"

#include "Duration.h"
#include "platform/Dialogs.h"
#include "store/ini.h"

namespace scheduler {

bool storeDefaultSnooze(std::string& boxText, const std::string& iniPath, platform::Dialogs& dialogs)
{
    std::string text = boxText;
    if (!ValidDuration(text, boxText)) {
        platform::showError(dialogs, "Please enter a valid duration.");
        return false;
    }
    // The box's own text after the repair, blanks included: the notification window offers it as typed.
    if (!ini::WriteIni(iniPath, "Alarm", "DSnooze", boxText)) {
        platform::showError(dialogs, "The change could not be saved.");
        return false;
    }
    return true;
}

} // namespace scheduler
