# The real program under Xvfb, with trayer as the notification area and without one. The scripts need the
# distribution's Python, which has the AT-SPI bindings, and their own session bus for the accessibility
# tree.
find_program(WAKERY_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(WAKERY_DBUS_RUN_SESSION dbus-run-session)
if(WAKERY_SYSTEM_PYTHON AND WAKERY_DBUS_RUN_SESSION)
    foreach(scenario IN ITEMS tray no-tray tray-later)
        add_test(NAME e2e_mainwin_${scenario}
                 COMMAND ${WAKERY_DBUS_RUN_SESSION} -- ${WAKERY_SYSTEM_PYTHON}
                         ${CMAKE_CURRENT_LIST_DIR}/mainwin_e2e.py ${scenario} $<TARGET_FILE:wakery>)
        set_tests_properties(e2e_mainwin_${scenario} PROPERTIES TIMEOUT 120 LABELS e2e)
    endforeach()
endif()
