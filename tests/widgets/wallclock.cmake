# The kernel timers behind the check and the wake-up.
if(TARGET wakery_platform_linux)
    add_executable(tst_wallclock ${CMAKE_CURRENT_LIST_DIR}/tst_wallclock.cpp)
    target_link_libraries(tst_wallclock
        PRIVATE wakery_ui_main wakery_platform_linux wakery_test_fakes Qt6::Test wakery_warnings)
    add_test(NAME tst_wallclock COMMAND tst_wallclock)
    set_tests_properties(tst_wallclock PROPERTIES TIMEOUT 60 LABELS widgets
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
