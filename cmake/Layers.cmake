# SPDX-License-Identifier: GPL-3.0-or-later
# Each library sees only its own headers and those of the libraries it links. Sources include headers by
# their folder under src/ ("store/AlarmTable.h"); a library exports a folder of its own in the build
# tree holding links to just its own folders under src/, never src/ itself, so an include that climbs to
# a layer the library does not link finds nothing and fails to build.
function(wakery_layer target)
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    foreach(folder IN LISTS ARGN)
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
