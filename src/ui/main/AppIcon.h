// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, an alarm clock, drawn here at each size rather than scaled from one bitmap so that
// the small notification-area sizes stay crisp. Every window and the tray use it.
namespace mainwin {

QPixmap drawAppIcon(int size);
QIcon appIcon();

} // namespace mainwin
