// SPDX-License-Identifier: GPL-3.0-or-later
#include "RingInDialog.h"

#include "ui/notify/DurationBox.h"
#include "ui/window/WindowLook.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

RingInDialog::RingInDialog(platform::Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("RingInDialog"));
    setWindowTitle(QStringLiteral("Ring in"));
    auto* form = new QFormLayout(this);
    cmbRingIn = new QComboBox(this);
    cmbRingIn->setObjectName(QStringLiteral("cmbRingIn"));
    cmbRingIn->setEditable(true);
    cmbRingIn->setInsertPolicy(QComboBox::NoInsert);
    cmbRingIn->addItems({QStringLiteral("00:05"), QStringLiteral("00:10"), QStringLiteral("00:15"),
                         QStringLiteral("00:20"), QStringLiteral("00:30"), QStringLiteral("00:45"),
                         QStringLiteral("01:00"), QStringLiteral("02:00")});
    cmbRingIn->setToolTip(QStringLiteral("Hours and minutes from now, HH:MM."));
    txtMemo = new QLineEdit(this);
    txtMemo->setObjectName(QStringLiteral("txtMemo"));
    txtMemo->setMaxLength(254);
    form->addRow(QStringLiteral("Ring &in (HH:MM):"), cmbRingIn);
    form->addRow(QStringLiteral("&Memo:"), txtMemo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RingInDialog::OKButton_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<RingInDialog::Request> RingInDialog::ask(const QString& duration)
{
    cmbRingIn->setEditText(duration);
    txtMemo->clear();
    cmbRingIn->setFocus();
    cmbRingIn->lineEdit()->selectAll();
    m_duration.reset();
    if (exec() != QDialog::Accepted || !m_duration)
        return std::nullopt;
    return Request{*m_duration, txtMemo->text().simplified().toStdString()};
}

void RingInDialog::OKButton_Click()
{
    // A duration that is none keeps the dialog open, as it keeps the ringing window.
    m_duration = notify::readDurationBox(*cmbRingIn, m_dialogs);
    if (m_duration)
        accept();
}
