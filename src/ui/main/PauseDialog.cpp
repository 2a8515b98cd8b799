// SPDX-License-Identifier: GPL-3.0-or-later
#include "PauseDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

PauseDialog::PauseDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PauseDialog"));
    setWindowTitle(QStringLiteral("Pause alarms"));
    auto* form = new QFormLayout(this);
    dtpUntil = new QDateEdit(this);
    dtpUntil->setObjectName(QStringLiteral("dtpUntil"));
    dtpUntil->setCalendarPopup(true);
    dtpUntil->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    form->addRow(QStringLiteral("No alarm rings &until:"), dtpUntil);
    form->addRow(new QLabel(
        QStringLiteral("Alarms ring again from 00:00 of that day; snoozed alarms are dropped."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<QDate> PauseDialog::ask(const QDate& tomorrow)
{
    // A pause that ends today would hold nothing back.
    dtpUntil->setMinimumDate(tomorrow);
    dtpUntil->setDate(tomorrow);
    dtpUntil->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return dtpUntil->date();
}
