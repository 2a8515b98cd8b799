# The icon menu's "Start at login" against a fake autostart setting, under the offscreen platform.
add_executable(tst_startatlogin ${CMAKE_CURRENT_LIST_DIR}/tst_startatlogin.cpp)
target_link_libraries(tst_startatlogin PRIVATE wakery_ui_main wakery_test_fakes Qt6::Test wakery_warnings)
add_test(NAME tst_startatlogin COMMAND tst_startatlogin)
set_tests_properties(tst_startatlogin PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
