# The Qt locale adapter.
wakery_widget_test(tst_platformqt wakery_platform_qt)
set_property(TEST tst_platformqt APPEND PROPERTY ENVIRONMENT "LANG=C.UTF-8")
