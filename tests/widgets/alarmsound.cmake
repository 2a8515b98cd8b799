# The ringing sound: the alarm's own file, default.wav, the beep, and a sound kept while it rings.
add_executable(tst_alarmsound ${CMAKE_CURRENT_LIST_DIR}/tst_alarmsound.cpp)
target_link_libraries(tst_alarmsound PRIVATE wakery_ui_notify wakery_test_fakes Qt6::Test wakery_warnings)
add_test(NAME tst_alarmsound COMMAND tst_alarmsound)
set_tests_properties(tst_alarmsound PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
