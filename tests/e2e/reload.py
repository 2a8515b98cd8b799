"""The main window shows Data.ini as it stands when it comes back from the notification area, however soon
after it was closed (the window system may still count the hidden window as the active one)."""
import os, sys  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import application, check, find, main  # noqa: E402

TITLE = "Orvane Wakery"
ALARM = "[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType=23456\r\nTime=6:30 AM\r\nMemo={}\r\nSound=\r\n"


def quick_restore(s):
    s.bus()
    s.tray()
    s.data(ALARM.format("Get up"))
    s.program()
    icon = s.docked_icon()
    s.click(*icon)
    window = s.wait_window(TITLE)
    app = application(s)
    s.wait("the alarm in the list", lambda: find(app, None, "Get up"))
    s.close_window(window)
    s.wait("the window to hide", lambda: not s.windows(TITLE))
    s.data(ALARM.format("Sleep in"))
    s.click(*icon)
    s.wait_window(TITLE)
    check(s.wait("the edited alarm", lambda: find(app, None, "Sleep in"), timeout=3),
          "closed, Data.ini edited and restored at once: the list shows the file as it is")


main(globals())
