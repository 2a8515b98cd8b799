// SPDX-License-Identifier: GPL-3.0-or-later
#include "DurationBox.h"

#include "platform/Dialogs.h"
#include "ui/window/Messages.h"

#include <QComboBox>

namespace notify {

std::optional<scheduler::SnoozeDuration> readDurationBox(QComboBox& box, platform::Dialogs& dialogs)
{
    std::string boxText = box.currentText().toStdString();
    std::string text = boxText;
    const bool valid = scheduler::ValidDuration(text, boxText);
    // The box keeps the "00" the check filled in, even when the text then proves invalid.
    if (QString::fromStdString(boxText) != box.currentText())
        box.setEditText(QString::fromStdString(boxText));
    const auto duration = valid ? scheduler::snoozeDurationOf(boxText) : std::nullopt;
    if (!duration)
        platform::showError(dialogs, messages::invalidDuration);
    return duration;
}

} // namespace notify
