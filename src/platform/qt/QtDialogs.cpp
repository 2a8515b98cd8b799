// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

void QtDialogs::showMessage(MessageIcon icon, const std::string& title, const std::string& text)
{
    const QMessageBox::Icon qtIcon =
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Critical;
    QMessageBox box(qtIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::askYesNo(const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace platform
