# When the main window reloads Data.ini, and when its controls come to be.
add_executable(tst_reload ${CMAKE_CURRENT_LIST_DIR}/tst_reload.cpp)
target_link_libraries(tst_reload PRIVATE wakery_ui_main wakery_test_fakes Qt6::Test wakery_warnings)
add_test(NAME tst_reload COMMAND tst_reload)
set_tests_properties(tst_reload PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
