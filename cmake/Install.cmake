# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Wakery and packing it as a Debian package.
#
#   cmake --install build [--prefix /opt/wakery]          DESTDIR is honoured
#   cmake --build build --target package                  build/wakery_<version>_amd64.deb
#
# The installed program finds default.wav and its sound helper relative to itself, so a prefix moved
# elsewhere as a whole still works; the relative paths are compiled into it.
if(NOT TARGET wakery)
    return()
endif()

include(GNUInstallDirs)

set(WAKERY_APP_ID org.wakery.Wakery)
set(WAKERY_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/wakery)
# The helper goes below the architecture's library folder, as Debian does it for a package's own programs,
# whatever the prefix.
if(CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
    set(WAKERY_INSTALL_MODULEDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/wakery)
else()
    set(WAKERY_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/wakery)
endif()

file(RELATIVE_PATH wakery_rel_data /${CMAKE_INSTALL_BINDIR} /${WAKERY_INSTALL_DATADIR})
file(RELATIVE_PATH wakery_rel_module /${CMAKE_INSTALL_BINDIR} /${WAKERY_INSTALL_MODULEDIR})
target_compile_definitions(wakery PRIVATE
    WAKERY_INSTALLED_DATA_DIR="${wakery_rel_data}"
    WAKERY_INSTALLED_HELPER_DIR="${wakery_rel_module}"
    WAKERY_HELPER_FILE="$<TARGET_FILE_NAME:wakery-sound>")

# The icons: the program's own drawn clock, rendered by the program's drawing code at build time.
set(wakery_icon_sizes 16 22 24 32 48 64 128 256)
set(wakery_icon_dir ${CMAKE_BINARY_DIR}/icons)
set(wakery_icon_files)
foreach(size IN LISTS wakery_icon_sizes)
    list(APPEND wakery_icon_files ${wakery_icon_dir}/${size}/${WAKERY_APP_ID}.png)
endforeach()
add_custom_command(
    OUTPUT ${wakery_icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:wakery_render_icons> ${wakery_icon_dir} ${WAKERY_APP_ID} ${wakery_icon_sizes}
    DEPENDS wakery_render_icons
    COMMENT "Rendering the icons"
    VERBATIM)
add_custom_target(wakery_icons ALL DEPENDS ${wakery_icon_files})

# Debian wants the changelog and the manual page compressed, without a time stamp.
set(wakery_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
set(wakery_manpage ${CMAKE_BINARY_DIR}/packaging/wakery.1.gz)
add_custom_command(
    OUTPUT ${wakery_changelog} ${wakery_manpage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${wakery_changelog}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/wakery.1 > ${wakery_manpage}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_SOURCE_DIR}/packaging/wakery.1
    VERBATIM)
add_custom_target(wakery_packaging_docs ALL DEPENDS ${wakery_changelog} ${wakery_manpage})

install(TARGETS wakery RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS wakery-sound wakery-wake RUNTIME DESTINATION ${WAKERY_INSTALL_MODULEDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/default.wav DESTINATION ${WAKERY_INSTALL_DATADIR})
install(FILES packaging/${WAKERY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${WAKERY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS wakery_icon_sizes)
    install(FILES ${wakery_icon_dir}/${size}/${WAKERY_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${wakery_manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${wakery_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wakery)

# The package's one maintainer script gives the installed wake helper its capability.
set(WAKERY_HELPER_PATH /usr/${WAKERY_INSTALL_MODULEDIR}/wakery-wake)
configure_file(packaging/postinst.in ${CMAKE_BINARY_DIR}/packaging/postinst @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wakery)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Wakery developers <wakery@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "alarm clock and reminders in the notification area")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/packaging/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins are loaded, not linked, so the library scan cannot find them: X11 and Wayland.
# setcap, from libcap2-bin, runs in the maintainer script.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, libcap2-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://wakery.example.org")
include(CPack)
