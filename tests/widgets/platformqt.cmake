# The Qt adapters: the single-instance guard (its private folder, a running copy that does not answer)
# and the locale's time formats.
wakery_widget_test(tst_platformqt wakery_platform_qt)
set_property(TEST tst_platformqt APPEND PROPERTY ENVIRONMENT "LANG=C.UTF-8")
