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

void QtDialogs::showNotice(MessageIcon icon, const std::string& title, const std::string& text)
{
    const QMessageBox::Icon qtIcon =
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Critical;
    // No parent: a box parented to a hidden main window would not show; modeless, so that a ringing
    // window shown after it stays in front and answers its keys.
    auto* box =
        new QMessageBox(qtIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setTextFormat(Qt::PlainText);
    box->show();
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
