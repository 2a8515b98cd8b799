# SPDX-License-Identifier: GPL-3.0-or-later
"""Another program writes Data.ini while the editor is open or the window hidden."""
import glob, os, signal, time  # noqa: E401
from gi.repository import Atspi
from harness import add_alarm, application, check, find, logind, main, press

TODAY = (time.localtime().tm_wday + 1) % 7 + 1
FILM = f"[Alarm1]\r\nState=1\r\nType={TODAY}\r\nTime=9:00 PM\r\nMemo=Weekend film\r\n"
BINS = f"[Alarm2]\r\nState=1\r\nType={TODAY}\r\nTime=7:00 AM\r\nMemo=Bins out\r\n"


def shown(s):
    s.bus(), s.tray()
    s.data("[Alarm]\r\nCount=1\r\n" + FILM)
    program = s.program()
    s.click(*s.docked_icon())
    s.wait_window("Orvane Wakery")
    return program, application(s)


def another_program_adds(s):
    s.data(s.data().replace("Count=1", "Count=2") + BINS)


def editors(s):
    program, app = shown(s)
    add_alarm(s, app, "6:30 am", {TODAY}, "Dentist", meanwhile=lambda: another_program_adds(s))
    s.wait("the editor to close", lambda: not s.windows("Set Alarm..."))
    check(
        "Count=3" in s.data() and "Memo=Bins out" in s.data() and "[Alarm3]" in s.data(),
        "Add... was open while another program added an alarm: OK puts the new one after it",
    )
    s.data("[Alarm]\r\nCount=1\r\n" + FILM)  # the list follows within a second
    film = s.wait("the film's row", lambda: find(app, None, "Weekend film")).get_extents(
        Atspi.CoordType.SCREEN
    )
    s.click(film.x + film.width // 2, film.y + film.height // 2)
    press(s, app, "Edit...")
    editor = s.wait_window("Change Alarm...")
    another_program_adds(s)
    s.keys(editor, *["Tab"] * 11, "ctrl+a")  # from OK past Cancel, the time, Every and the days to the memo
    s.keys(editor, text="Weekend film, popcorn")
    s.keys(editor, "Tab", "Tab", "Return")
    s.wait("the editor to close", lambda: not s.windows("Change Alarm..."))
    check(
        "Memo=Weekend film, popcorn" in s.data() and "Count=2" in s.data() and "Memo=Bins out" in s.data(),
        "Edit... was open while another program added an alarm: OK changes its own and keeps the other",
    )
    sockets = lambda: glob.glob(os.path.join(s.path("run"), "wakery-*"))  # noqa: E731
    check(sockets(), "the running copy has its socket")
    program.send_signal(signal.SIGTERM)
    check(program.wait(10) == 0 and not sockets(), "SIGTERM ends it with status 0 and its socket file gone")


def hidden_hand_edit(s):
    s.bus(), s.tray()
    s.data("[Alarm]\r\nCount=1\r\n" + FILM)
    logind(s)
    s.set_clock("06:59:00")
    s.program(faketime=True)
    s.docked_icon()
    check(not s.windows("Orvane Wakery"), "the main window is hidden")
    s.set_clock("06:59:57")
    another_program_adds(s)  # its 7:00 alarm is due 3 s later
    s.wait_window("Alarm!", 6)
    check(
        s.fake_now() - s.today("07:00:00") < 1, "the alarm added by hand while Wakery sat in the tray rings"
    )


main(globals())
