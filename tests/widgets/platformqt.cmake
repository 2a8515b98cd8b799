# The Qt adapters: locale, sound player and open-file dialog.
add_executable(tst_platformqt ${CMAKE_CURRENT_LIST_DIR}/tst_platformqt.cpp)
target_link_libraries(tst_platformqt PRIVATE wakery_platform_qt wakery_sound_player wakery_test_fakes
                                             Qt6::Network Qt6::Test wakery_warnings)
add_test(NAME tst_platformqt COMMAND tst_platformqt)
set_tests_properties(tst_platformqt PROPERTIES TIMEOUT 60 LABELS widgets
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_MEDIA_BACKEND=ffmpeg;LANG=C.UTF-8")
