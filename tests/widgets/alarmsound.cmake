# The ringing sound: the alarm's own file, default.wav, the beep, and a sound kept while it rings.
wakery_widget_test(tst_alarmsound wakery_ui_notify)
