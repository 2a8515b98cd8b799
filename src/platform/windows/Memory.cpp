// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Memory.h"

#include <malloc.h>

namespace platform {

void releaseFreeMemory()
{
    _heapmin();
}

} // namespace platform
