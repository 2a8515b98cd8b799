# SPDX-License-Identifier: GPL-3.0-or-later
"""A week under the faked clock: Skip next holds Tuesday's 7:00 and Wednesday's rings; a pause until Thursday
holds Wednesday evening's; a one-off and a "Ring in" each ring once, the one switched off, the other gone."""
import datetime, time  # noqa: E401
from harness import application, check, find, logind, main, press
from gi.repository import Atspi

TITLE = "Orvane Wakery"
WEEK = ["mon", "tue", "wed", "thu"]


def week(s):
    monday = -time.localtime().tm_wday % 7  # days from today to the coming Monday
    day = lambda name: monday + WEEK.index(name)  # noqa: E731
    date = lambda name: (datetime.date.today() + datetime.timedelta(day(name))).isoformat()  # noqa: E731
    s.bus(), s.tray()
    login = logind(s)
    s.data(
        "[Alarm]\r\nCount=3\r\n[Alarm1]\r\nState=1\r\nType=1234567\r\nTime=7:00 AM\r\nMemo=Work\r\n"
        "[Alarm2]\r\nState=1\r\nType=1234567\r\nTime=9:00 PM\r\nMemo=Evening\r\n"
        f"[Alarm3]\r\nState=1\r\nType=\r\nTime=9:00 AM\r\nMemo=Dentist\r\nSound=\r\nDate={date('thu')}\r\n"
    )
    s.set_clock("12:00:00", day("mon"))
    s.program(faketime=True)
    s.click(*s.docked_icon())
    window = s.wait_window(TITLE)
    app = application(s)
    row = s.wait("the row", lambda: find(app, "table cell", "Work")).get_extents(Atspi.CoordType.SCREEN)
    s.click(row.x + row.width // 2, row.y + row.height // 2)
    press(s, app, "Skip next")
    check(s.wait("Skip", lambda: f"Skip={date('tue')}" in s.data()), "Skip next stores Tuesday's date")
    s.close_window(window)

    def at(name, hhmmss):
        s.set_clock(hhmmss, day(name))
        login.resume()

    def rings(memo):
        alarm = s.wait_window("Alarm!", 4)
        shown = s.wait("its memo", lambda: find(app, None, memo))
        s.keys(alarm, "Return")
        return shown and s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"), 3)

    def silent():
        end = time.monotonic() + 3.5
        return s.wait("3.5 s", lambda: s.windows("Alarm!") or time.monotonic() > end) is True

    at("tue", "06:59:58")
    check(silent(), "Tuesday's 7:00 is skipped")
    at("wed", "06:59:58")
    check(rings("Work"), "Wednesday's 7:00 rings")
    at("wed", "08:00:00")
    s.icon_menu("p")
    s.keys(s.wait_window("Pause alarms"), "Return")  # the day offered is tomorrow
    check(s.wait("PauseUntil", lambda: f"PauseUntil={date('thu')}" in s.data()), "paused until Thursday")
    at("wed", "20:59:58")
    check(silent(), "the pause holds Wednesday's 21:00")
    at("thu", "06:59:58")
    check(rings("Work"), "Thursday's 7:00 rings: the pause is over")

    at("thu", "08:00:00")
    s.icon_menu("i")
    s.keys(s.wait_window("Ring in"), "Tab")  # past the duration, 00:05 as offered
    s.keys(s.wait_window("Ring in"), text="Tea")
    s.keys(s.wait_window("Ring in"), "Return")
    timer = s.wait("the timer", lambda: "Memo=Tea" in s.data() and s.data().partition("[Alarm4]")[2])
    ring_at = timer.partition("Time=")[2][:5]
    check(
        f"Date={date('thu')}" in timer and ring_at in ("08:05", "08:06"),
        "Ring in 5 minutes at 8:00 is a one-off at 8:05 (8:06 once a second has passed): " + ring_at,
    )
    at("thu", ring_at[:4] + str(int(ring_at[4]) - 1) + ":58")
    check(rings("Tea") and "Count=3\r\n" in s.data(), "the timer rings once and is taken off the list")
    at("thu", "08:59:58")
    check(rings("Dentist"), "the one-off rings on its day")
    check(
        "State=0\r\nType=\r\nTime=9:00 AM\r\nMemo=Dentist" in s.data(),
        "and is switched off, kept in the list",
    )


main(globals())
