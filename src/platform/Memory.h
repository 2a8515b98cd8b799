// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Hands memory that the program has freed back to the system. The allocator keeps freed memory for later
// use; after start-up (or a large load) the program idles for hours and would carry it all that time.
void releaseFreeMemory();

} // namespace platform
