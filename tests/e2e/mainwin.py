"""The main window in a real X session, with a notification area (trayer), without one, and with one that
comes and goes: the icon docks and answers clicks, keys reach the editor and Data.ini beside the program,
a second start finds the first, the close button and Exit end the program."""
import os, sys  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import application, check, find, main, press  # noqa: E402

TITLE = "Orvane Wakery"
QUESTION = "There is no notification area to keep Wakery in. End Wakery now? Alarms will not ring until it is started again."


def start(s, tray=False):
    s.bus()
    s.tray() if tray else None
    s.data("[Alarm]\r\nCount=2\r\n[Alarm1]\r\nState=1\r\nType=23456\r\nTime=6:30 AM\r\nMemo=Get up\r\nSound=\r\n"
           "[Alarm2]\r\nState=0\r\nType=17\r\nTime=9:00 PM\r\nMemo=Weekend film\r\nSound=\r\n")
    return s.program()


def tray(s):
    program = start(s, tray=True)
    icon = s.docked_icon()
    check(not s.windows(TITLE), "the window starts hidden, the icon in the notification area")
    s.click(*icon)
    window = s.wait_window(TITLE)
    app = application(s)

    press(s, app, "push button", "Add...")
    editor = s.wait_window("Set Alarm...")
    # The editor opens on OK; Tab leads through Cancel to the time box, then the day boxes Sun..Sat, the
    # memo, Browse and the sound box, where Return presses OK.
    s.keys(editor, "Tab", "Tab", "ctrl+a")
    s.type(editor, "7:45 pm")
    s.keys(editor, "Tab", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab")
    s.type(editor, "Call the garage")
    s.keys(editor, "Tab", "Tab", "Return")
    # Count=3 also says the program found the Data.ini beside it at the start.
    check(s.wait("the new alarm in Data.ini", lambda: "Count=3\r\n" in s.data() and "[Alarm3]\r\nState=1\r\nType=24\r\n"
                 "Time=7:45 pm\r\nMemo=Call the garage" in s.data()), "a click on the icon shows the window, an alarm typed "
          "into its editor reaches Data.ini")

    s.close_window(window)
    s.wait("the window to hide", lambda: not s.windows(TITLE))
    check(program.poll() is None, "closing hides the window and the program runs on")
    check(s.program().wait(10) == 0 and s.wait_window(TITLE), "a second start shows the running copy and ends")

    press(s, app, "push button", "Add...")
    before = set(s.windows(classname="wakery")) | {s.wait_window("Set Alarm...")}
    s.click(*s.docked_icon(), button=3)
    s.wait("the icon menu", lambda: set(s.windows(classname="wakery")) - before)
    s.run("xdotool", "key", "e")
    check(program.wait(10) == 0, "Exit in the icon menu ends the program, the open editor with it")


def no_tray(s):
    program = start(s)
    window = s.wait_window(TITLE)
    # Minimised is a request to a window manager, which this display lacks; the window's state says it.
    check(s.wait("the minimised state", lambda: "_NET_WM_STATE_HIDDEN" in s.run("xprop", "-id", str(window))),
          "with no notification area the window starts minimised on the task bar, not hidden")
    app = application(s)
    for answer in ("No", "Yes"):
        s.close_window(window)
        s.wait("the question before ending", lambda: find(app, "label", QUESTION))
        press(s, app, "push button", answer)
        if answer == "No":
            s.wait("the question to go", lambda: not find(app, "label", QUESTION))
            check(program.poll() is None and s.windows(TITLE), "closing asks before ending, and No keeps the program")
    check(program.wait(10) == 0, "Yes ends it")


def tray_later(s):
    program = start(s)
    s.wait_window(TITLE)
    host = s.tray()
    s.docked_icon()
    check(s.wait("the window to go", lambda: not s.windows(TITLE)), "a notification area that comes later gets the icon and the window")
    host.terminate()
    s.close_window(s.wait_window(TITLE))
    check(program.poll() is None, "when it goes again, the window comes back")
    press(s, application(s), "push button", "Yes")
    check(program.wait(10) == 0, "and closing it can end the program")


main(globals())
