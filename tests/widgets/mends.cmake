# The ringing window in front of the editor, Enter in the editor, and what screen readers are told.
add_executable(tst_mends ${CMAKE_CURRENT_LIST_DIR}/tst_mends.cpp)
target_link_libraries(tst_mends PRIVATE wakery_ui_main wakery_test_fakes Qt6::Test wakery_warnings)
add_test(NAME tst_mends COMMAND tst_mends)
set_tests_properties(tst_mends PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
