# The Qt locale conversion under pinned locales, independent of the machine's own.
add_executable(wakery_localetime_tests ${CMAKE_CURRENT_SOURCE_DIR}/QtLocaleTimeTest.cpp)
target_link_libraries(wakery_localetime_tests PRIVATE wakery_platform_qt wakery_test_fakes GTest::gtest_main
                                                     wakery_warnings)
gtest_discover_tests(wakery_localetime_tests
    PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
