# SPDX-License-Identifier: GPL-3.0-or-later
"""After a sleep the resume signal runs the check at once: 30 minutes late an alarm rings, 3 hours late it is
listed in a notice, or in a box where there is no notification service."""
import time
from harness import application, check, find, logind, main, notifications


def asleep_from_7(s, wake_at, notices=False, later=()):
    s.alarm("7:00 AM", "Dentist", later=later)
    s.bus(), s.tray()
    service, login = notices and notifications(s), logind(s)
    s.set_clock("06:59:01")  # its own minute timer is a minute away, far beyond the 2 s asked of the resume
    s.program(faketime=True)
    s.docked_icon()  # the icon comes after the first check
    s.set_clock(wake_at)
    login.resume()
    return service, login


def answer_with_return(s, within):
    s.keys(s.wait_window("Alarm!", within), "Return")
    return s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"), 3)


def two_sleeps(s):
    _, login = asleep_from_7(s, "07:30:00", later=[("7:40 AM", "Bus")])
    check(answer_with_return(s, 2), "30 minutes late, the alarm rings within 2 s of the resume")
    s.set_clock("08:10:00")
    login.resume()
    check(answer_with_return(s, 2), "after the second resume, the alarm 30 minutes late rings within 2 s too")


def missed(s, notices):
    service, login = asleep_from_7(s, "10:00:00", notices, later=[("10:01 AM", "Call")])
    if notices:
        _, _, icon, summary, text, _, hints, _ = s.wait("the notice", lambda: service.called("Notify"), 5)[0]
        check(
            (hints.get("urgency"), hints.get("suppress-sound"), summary) == (1, True, "Missed alarm")
            and icon == hints.get("desktop-entry") == "org.wakery.Wakery",
            "a notice without sound, of normal urgency, by the application id",
        )
    else:
        s.wait_window("Wakery", 3)
        text = s.wait("the box's text", lambda: find(application(s), None, "Dentist")).get_name()
    check(
        text.endswith(time.strftime("%Y-%m-%d  7:00:00 AM  Dentist")),
        "it lists the day, time and memo: " + repr(text),
    )
    end = time.monotonic() + 1.5
    check(
        s.wait("1.5 s", lambda: s.windows("Alarm!") or time.monotonic() > end) is True
        and (not notices or len(service.called("Notify")) == 1),
        "3 hours late, no ring within 1.5 s, and one notice",
    )
    s.set_clock("10:00:58")
    login.resume()  # the minute timer is armed afresh from the new time
    check(
        answer_with_return(s, 5) and (notices or s.windows("Wakery")),
        "the next alarm rings and takes Return, in front of the box where there is one",
    )


missed_notice, missed_box = (lambda s: missed(s, True)), (lambda s: missed(s, False))


main(globals())
