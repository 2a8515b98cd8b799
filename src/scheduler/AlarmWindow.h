// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace scheduler {

// The notification window's side of the hand-over of a due alarm.
class AlarmWindow
{
public:
    virtual ~AlarmWindow() = default;
    // Sets the window's AlarmIndex, its memo and its title (the normalised time text), then shows it.
    // The check never calls this while an earlier alarm is still showing.
    virtual void showAlarm(std::int16_t index, const std::string& memo, const std::string& timeText) = 0;
};

} // namespace scheduler
