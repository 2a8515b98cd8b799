// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, an alarm clock, drawn here at each size rather than scaled from one bitmap so that
// the small notification-area sizes stay crisp. Every window and the tray use it.
namespace mainwin {

// paused: the clock with a pause badge, for the notification area while the alarms are paused.
QPixmap drawAppIcon(int size, bool paused = false);
QIcon appIcon(bool paused = false);

} // namespace mainwin
