// SPDX-License-Identifier: GPL-3.0-or-later
// One include, named by the build: whether it compiles tells whether the library may see that header.
#include WAKERY_PROBE_HEADER
