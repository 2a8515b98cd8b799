// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QDateEdit;

// "Pause alarms until...": the day the alarms ring again, tomorrow at the earliest.
class PauseDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PauseDialog(QWidget* parent);

    // Opens modal on tomorrow; the chosen day, or nullopt when cancelled.
    std::optional<QDate> ask(const QDate& tomorrow);

private:
    QDateEdit* dtpUntil = nullptr;
};
