"""The main window in a real X session: with a notification area (trayer), without one, and with one that
comes later and goes again. What only a real session shows: the icon docks and answers clicks, keys reach
the editor, Data.ini beside the program changes, a second start finds the first, the program ends."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import application, check, press, table_rows  # noqa: E402

TITLE = "Orvane Wakery"
ROWS = [["6:30:00 AM", "Get up", "Mon,Tue,Wed,Thu,Fri", "On"], ["9:00:00 PM", "Weekend film", "Sun,Sat", "Off"]]
QUESTION = "There is no notification area to keep Wakery in. End Wakery now? Alarms will not ring until it is started again."


def start(s):
    s.bus()
    s.write_data("[Alarm]\r\nCount=2\r\nDSnooze=00:05\r\n"
                 "[Alarm1]\r\nState=1\r\nType=23456\r\nTime=6:30 AM\r\nMemo=Get up\r\nSound=\r\n"
                 "[Alarm2]\r\nState=0\r\nType=17\r\nTime=9:00 PM\r\nMemo=Weekend film\r\nSound=\r\n")


def tray(s):
    start(s)
    s.tray()
    program = s.program()
    icon = s.docked_icon()
    check(not s.windows(TITLE), "the window starts hidden, the icon in the notification area")
    s.click(*icon)
    window = s.wait_window(TITLE)
    app = application(s)
    s.wait("the alarms in the list", lambda: table_rows(app) == ROWS)
    check(True, "a left click on the icon shows the window with its alarms")

    press(s, app, "push button", "Add...")
    editor = s.wait_window("Set Alarm...")
    # The editor opens on OK; Tab leads through Cancel to the time box, then the day boxes Sun..Sat, the
    # memo, Browse and the sound box, where Return presses OK.
    s.keys(editor, "Tab", "Tab", "ctrl+a")
    s.type(editor, "7:45 pm")
    s.keys(editor, "Tab", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab")
    s.type(editor, "Call the garage")
    s.keys(editor, "Tab", "Tab", "Return")
    s.wait("the new alarm in the list", lambda: table_rows(app) == ROWS + [["7:45:00 PM", "Call the garage", "Mon,Wed", "On"]])
    stored = s.read_data()
    check(all(t in stored for t in ("Count=3", "[Alarm3]", "Memo=Call the garage", "Time=7:45 pm", "Type=24")),
          "an alarm typed into the editor reaches the list and Data.ini")

    s.close_window(window)
    s.wait("the window to hide", lambda: not s.windows(TITLE))
    check(program.poll() is None, "closing hides the window and the program runs on")
    check(s.program().wait(10) == 0 and s.wait_window(TITLE), "a second start shows the running copy and ends")

    press(s, app, "push button", "Add...")
    s.wait_window("Set Alarm...")
    before = set(s.windows(classname="wakery"))
    icon = s.docked_icon()
    s.click(*icon, button=3)
    s.wait("the icon menu", lambda: set(s.windows(classname="wakery")) - before)
    s.run("xdotool", "key", "e")
    check(program.wait(10) == 0, "Exit in the icon menu ends the program, the open editor with it")


def no_tray(s):
    start(s)
    program = s.program()
    window = s.wait_window(TITLE)
    # Minimised is a request to a window manager, which this display lacks; the window's state says it.
    s.wait("the minimised state", lambda: "_NET_WM_STATE_HIDDEN" in s.run("xprop", "-id", str(window), "_NET_WM_STATE"))
    check(True, "with no notification area the window starts minimised on the task bar, not hidden")
    app = application(s)
    for answer in ("No", "Yes"):
        s.close_window(window)
        s.wait("the question before ending", lambda: harness.find(app, "label", QUESTION))
        press(s, app, "push button", answer)
        if answer == "No":
            s.wait("the question to go", lambda: not harness.find(app, "label", QUESTION))
            check(program.poll() is None and s.windows(TITLE), "closing asks first, and No keeps the program")
    check(program.wait(10) == 0, "Yes ends the program")


def tray_later(s):
    start(s)
    program = s.program()
    s.wait_window(TITLE)
    host = s.tray()
    s.docked_icon()
    s.wait("the window to go into it", lambda: not s.windows(TITLE))
    check(True, "a notification area that appears later gets the icon, and the window goes into it")
    host.terminate()
    window = s.wait_window(TITLE)
    check(program.poll() is None, "when the notification area goes, the window comes back")
    s.close_window(window)
    press(s, application(s), "push button", "Yes")
    check(program.wait(10) == 0, "and closing it can end the program")


harness.main(globals())
