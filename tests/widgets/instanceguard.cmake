# The single-instance guard: its private folder and a running copy that does not answer.
add_executable(tst_instanceguard ${CMAKE_CURRENT_LIST_DIR}/tst_instanceguard.cpp)
target_link_libraries(tst_instanceguard PRIVATE wakery_platform_qt Qt6::Test wakery_warnings)
add_test(NAME tst_instanceguard COMMAND tst_instanceguard)
set_tests_properties(tst_instanceguard PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
