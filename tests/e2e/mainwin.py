# SPDX-License-Identifier: GPL-3.0-or-later
"""The main window with a notification area (trayer), and with one that comes and goes."""
import glob, os, signal  # noqa: E401
from harness import add_alarm, application, check, main, press

TITLE = "Orvane Wakery"


def start(s, tray=False):
    s.bus(), tray and s.tray()
    s.data(
        "[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=0\r\nType=17\r\nTime=9:00 PM\r\n"
        "Memo=Weekend film\r\nSound=\r\n"
    )
    return s.program()


def tray(s):
    program = start(s, tray=True)
    icon = s.docked_icon()
    check(not s.windows(TITLE), "the window starts hidden, the icon in the notification area")
    s.click(*icon)
    app = application(s)
    add_alarm(s, app, "7:45 pm", {2, 4}, "Call the garage")
    check(
        s.wait(
            "the new alarm in Data.ini",
            lambda: "Count=2\r\n" in s.data()
            and all(
                key + "\r\n" in s.data().partition("[Alarm2]\r\n")[2]
                for key in ("State=1", "Type=24", "Time=7:45 pm", "Memo=Call the garage")
            ),
        ),
        "a click on the icon shows the window; an alarm typed into its editor joins the one in Data.ini"
        " beside the program",
    )
    s.close_window(s.wait_window(TITLE))
    s.wait("the window to hide", lambda: not s.windows(TITLE))
    check(program.poll() is None, "closing hides the window and the program runs on")
    check(
        s.program().wait(10) == 0 and s.wait_window(TITLE), "a second start shows the running copy and ends"
    )
    press(s, app, "Add...")
    s.wait_window("Set Alarm...")
    s.icon_menu("e")
    check(program.wait(10) == 0, "Exit in the icon menu ends the program, the open editor with it")


def tray_later(s):
    program = start(s)
    s.wait_window(TITLE)
    host = s.tray()
    s.docked_icon()
    check(
        s.wait("the window to go", lambda: not s.windows(TITLE)),
        "a notification area that comes later gets the icon and the window",
    )
    host.terminate()
    check(s.wait_window(TITLE) and program.poll() is None, "when it goes again, the window comes back")
    sockets = lambda: glob.glob(os.path.join(s.path("run"), "wakery-*"))  # noqa: E731
    check(sockets(), "the running copy has its socket")
    program.send_signal(signal.SIGTERM)
    check(program.wait(10) == 0 and not sockets(), "SIGTERM ends it with status 0 and its socket file gone")


main(globals())
