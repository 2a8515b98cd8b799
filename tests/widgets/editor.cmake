# The alarm editor: its checks without windows, the dialog, and the toolkit's open-file dialog.
foreach(wakery_editor_test tst_timeentry tst_editor tst_qtfiledialog)
    add_executable(${wakery_editor_test} ${CMAKE_CURRENT_LIST_DIR}/${wakery_editor_test}.cpp)
    target_link_libraries(${wakery_editor_test} PRIVATE wakery_ui_editor wakery_test_fakes Qt6::Test wakery_warnings)
    add_test(NAME ${wakery_editor_test} COMMAND ${wakery_editor_test})
    set_tests_properties(${wakery_editor_test} PROPERTIES
        ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 60 LABELS widgets)
endforeach()
# The real locale and open-file dialog come from the Qt platform layer, which the editor itself does not use.
target_link_libraries(tst_timeentry PRIVATE wakery_platform_qt)
target_link_libraries(tst_qtfiledialog PRIVATE wakery_platform_qt)
