# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles the core for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, which
# std::thread and GoogleTest need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DWAKERY_WITH_QT=OFF
# The tests run through Wine when Wine is installed: headless (no DISPLAY), quiet, with a Wine prefix of
# their own in the build folder, and without the .NET and browser add-ons Wine would offer to download.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The runtime libraries go into each program, so Wine needs no DLLs from the compiler's folders.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(WAKERY_WINE NAMES wine wine64)
if(WAKERY_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
        WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${WAKERY_WINE})
endif()
