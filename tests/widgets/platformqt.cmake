# The Qt adapters: locale, sound player and open-file dialog.
wakery_widget_test(tst_platformqt wakery_platform_qt wakery_sound_player Qt6::Network)
set_property(TEST tst_platformqt APPEND PROPERTY ENVIRONMENT "QT_MEDIA_BACKEND=ffmpeg;LANG=C.UTF-8")
