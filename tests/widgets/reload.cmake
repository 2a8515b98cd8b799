# When the main window reloads Data.ini, and when its controls come to be.
wakery_mainwin_test(tst_reload)
