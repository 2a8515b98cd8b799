// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <string>

class QScreen;
class QWidget;

// What the program's windows share in how they are laid out and put on the screen.
namespace ui {

// The fixed layouts are given in twips, 15 to a pixel at 96 dots per inch; Qt scales the pixels on
// denser screens. Every layout value is a whole number of pixels, so the division is exact.
constexpr int px(int twips)
{
    return twips / 15;
}

QRect twips(int left, int top, int width, int height);

// The layouts are measured for a classic sans face (and a classic serif one for memos); each comes
// with its metric-compatible stand-ins, so that captions keep the width they were laid out for.
enum class Face { Sans, Serif };
QFont classicFont(Face face, qreal points, bool bold);

// Puts the window in the middle of the screen's free area; nothing happens without a screen.
void centreOn(QWidget& window, const QScreen* screen);

// Shows the window un-minimised, above the others and with the input focus.
void bringToFront(QWidget& window);
// The same on behalf of a click elsewhere (a notification) that came with an activation token, which a
// Wayland compositor asks for before it lets a window take the focus; empty: none was given.
void bringToFront(QWidget& window, const std::string& activationToken);

// The name a screen reader gives a field: the caption of the label beside it.
void nameForScreenReaders(QWidget& field, const QString& name);

} // namespace ui
