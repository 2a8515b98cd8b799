// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

#include <cstdint>
#include <string>

namespace notify {

// What the notification window asks of the window that owns the alarm table. Index is the window's
// AlarmIndex; an index outside the table is answered as an alarm without a sound and ignored on writes.
class AlarmOwner
{
public:
    virtual ~AlarmOwner() = default;
    // Sets (Increment false) or adds to (Increment true) the alarm's snooze offsets.
    virtual void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment) = 0;
    // True when the alarm names a sound file of its own; the file itself is not looked for.
    virtual bool AlarmSoundPresent(std::int16_t Index) const = 0;
    virtual std::string GetASound(std::int16_t Index) const = 0;
    // How loud the alarm's sound plays, whichever file plays.
    virtual platform::SoundLevel soundLevel(std::int16_t Index) const = 0;
};

} // namespace notify
