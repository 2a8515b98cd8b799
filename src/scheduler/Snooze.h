#pragma once

#include "store/AlarmTable.h"

#include <cstdint>

namespace scheduler {

// Sets (Increment false) or adds to (Increment true) the snooze offsets of alarm Index. Sums saturate
// within the signed 16-bit range; an Index outside 1..ACount does nothing.
void SetSnoozeValue(store::AlarmTable& table, std::int16_t Index, std::int16_t SVH, std::int16_t SVM,
                    bool Increment = false);

} // namespace scheduler
