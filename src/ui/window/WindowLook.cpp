// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowLook.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace ui {

QRect twips(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

QFont classicFont(Face face, qreal points, bool bold)
{
    QFont font;
    if (face == Face::Serif) {
        font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                          QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")});
        font.setStyleHint(QFont::Serif);
    } else {
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans"),
                          QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void centreOn(QWidget& window, const QScreen* screen)
{
    if (screen != nullptr)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void bringToFront(QWidget& window)
{
    // A window shown while it is still marked minimised would come back iconified.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void bringToFront(QWidget& window, const std::string& activationToken)
{
    // Qt's Wayland platform hands the token in this variable to the compositor as it activates a window.
    if (!activationToken.empty())
        qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activationToken));
    bringToFront(window);
}

void nameForScreenReaders(QWidget& field, const QString& name)
{
    field.setAccessibleName(name);
    // On Linux a combo box is read out by its text, and the keyboard is in its text field: that field
    // carries the name.
    if (auto* combo = qobject_cast<QComboBox*>(&field); combo != nullptr && combo->lineEdit() != nullptr)
        combo->lineEdit()->setAccessibleName(name);
}

} // namespace ui
