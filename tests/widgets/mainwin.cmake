# The main window, its tray icon and the single-instance guard, under the offscreen platform.
function(wakery_mainwin_test name)
    add_executable(${name} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.cpp ${ARGN})
    target_link_libraries(${name} PRIVATE wakery_ui_main wakery_test_fakes Qt6::Test wakery_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 60 LABELS widgets ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

wakery_mainwin_test(tst_mainparts)
wakery_mainwin_test(tst_singleinstance)
wakery_mainwin_test(tst_form1)
wakery_mainwin_test(tst_windows)
