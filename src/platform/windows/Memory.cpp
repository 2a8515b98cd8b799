#include "platform/Memory.h"

#include <malloc.h>

namespace platform {

void releaseFreeMemory()
{
    _heapmin();
}

} // namespace platform
