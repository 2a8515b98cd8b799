# SPDX-License-Identifier: GPL-3.0-or-later
add_library(wakery_warnings INTERFACE)
target_compile_options(wakery_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual)
if(WAKERY_WERROR)
    target_compile_options(wakery_warnings INTERFACE -Werror)
endif()
