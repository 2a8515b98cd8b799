# The notification window, its sound player and the main window's check timer.
foreach(name frmalarm checktimer qtsoundplayer)
    add_executable(tst_${name} ${CMAKE_CURRENT_LIST_DIR}/tst_${name}.cpp)
    target_link_libraries(tst_${name} PRIVATE wakery_test_fakes Qt6::Test wakery_warnings)
    add_test(NAME tst_${name} COMMAND tst_${name})
    set_tests_properties(tst_${name} PROPERTIES TIMEOUT 60 LABELS widgets
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_MEDIA_BACKEND=ffmpeg")
endforeach()
target_link_libraries(tst_frmalarm PRIVATE wakery_ui_notify)
target_link_libraries(tst_checktimer PRIVATE wakery_ui_main)
# The player test plays the chime the build makes.
target_link_libraries(tst_qtsoundplayer PRIVATE wakery_sound_player Qt6::Network)
add_dependencies(tst_qtsoundplayer wakery_default_wav)
target_compile_definitions(tst_qtsoundplayer PRIVATE
    WAKERY_CHIME_WAV="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/default.wav")
