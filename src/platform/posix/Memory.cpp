// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void releaseFreeMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace platform
