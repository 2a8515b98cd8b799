# The ringing sound: the alarm's file, default.wav, the beep; the real player's reasons.
add_executable(tst_alarmsound ${CMAKE_CURRENT_LIST_DIR}/tst_alarmsound.cpp)
target_link_libraries(tst_alarmsound PRIVATE wakery_ui_notify wakery_sound_player wakery_test_fakes Qt6::Test
                      wakery_warnings)
add_test(NAME tst_alarmsound COMMAND tst_alarmsound)
set_tests_properties(tst_alarmsound PROPERTIES TIMEOUT 60 LABELS widgets
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_MEDIA_BACKEND=ffmpeg")
