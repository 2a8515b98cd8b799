# The single-instance guard: its private folder and a running copy that does not answer.
wakery_widget_test(tst_instanceguard wakery_platform_qt)
