# The icon menu's "Start at login" against a fake autostart setting.
wakery_widget_test(tst_startatlogin wakery_ui_main)
