# The alarm editor (Enter in its memo), the main window and its parts, the notification window (in front
# of the editor, as an alert), and every window's layout.
wakery_widget_test(tst_editor wakery_ui_editor)
wakery_mainwin_test(tst_mainparts)
wakery_mainwin_test(tst_form1)
wakery_mainwin_test(tst_windows)
wakery_mainwin_test(tst_frmalarm)
