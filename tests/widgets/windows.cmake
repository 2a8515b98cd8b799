# The alarm editor (Enter in its memo, the ringing window in front of it), the main window and its parts,
# the notification window (as an alert), and every window's layout.
wakery_widget_test(tst_editor wakery_ui_main)
wakery_widget_test(tst_mainparts wakery_ui_main)
wakery_widget_test(tst_form1 wakery_ui_main)
wakery_widget_test(tst_windows wakery_ui_main)
wakery_widget_test(tst_frmalarm wakery_ui_notify)
