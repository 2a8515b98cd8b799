// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

namespace platform {

class QtClock : public Clock
{
public:
    LocalDateTime now() const override;
};

} // namespace platform
