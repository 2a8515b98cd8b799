# The ringing window in front of the editor, Enter in the editor, and what screen readers are told.
wakery_mainwin_test(tst_mends)
