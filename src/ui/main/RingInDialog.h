// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scheduler/Duration.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace platform {
class Dialogs;
}

// "Ring in...": a duration, checked as Snooze checks its box, and an optional memo.
class RingInDialog : public QDialog
{
    Q_OBJECT
public:
    struct Request
    {
        scheduler::SnoozeDuration duration;
        std::string memo; // UTF-8, may be empty
    };

    RingInDialog(platform::Dialogs& dialogs, QWidget* parent);

    // Opens modal with the duration box holding duration; nullopt when cancelled.
    std::optional<Request> ask(const QString& duration);

private:
    void OKButton_Click();

    platform::Dialogs& m_dialogs;
    std::optional<scheduler::SnoozeDuration> m_duration;
    QComboBox* cmbRingIn = nullptr;
    QLineEdit* txtMemo = nullptr;
};
