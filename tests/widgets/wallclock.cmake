# The kernel timers behind the check and the wake-up.
if(TARGET wakery_platform_linux)
    wakery_widget_test(tst_wallclock wakery_ui_main wakery_platform_linux)
endif()
