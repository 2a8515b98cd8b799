"""After a sleep or a clock jump, in the real program: the resume signal runs the check at once, an alarm 30
minutes late rings, one 3 hours late does not and is listed in a quiet notice, or in a box titled "Wakery"
when the session has no notification service."""
import os, sys, time  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from buses import Logind, Notifications  # noqa: E402
from harness import Failure, application, check, main  # noqa: E402
from gi.repository import Atspi  # noqa: E402


def asleep_from_7(s, wake_at, notifications=False):
    """Alarm 7:00 "Dentist" today; the program's last check is at 6:59, then it sleeps until wake_at."""
    day = (time.localtime().tm_wday + 1) % 7 + 1
    s.data(f"[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType={day}\r\nTime=7:00 AM\r\nMemo=Dentist\r\nSound=\r\n")
    s.bus()
    s.tray()
    service = Notifications(s) if notifications else None
    logind = Logind(s)
    s.set_clock("06:59:01")  # its own minute timer is a minute away, far beyond the 2 s asked of the resume
    s.program(faketime=True, env={"FAKETIME_NO_CACHE": "1"})
    s.docked_icon()  # the icon comes after the first check
    s.set_clock(wake_at)
    logind.resume()
    return service


def catch_up(s):
    asleep_from_7(s, "07:30:00")
    s.wait_window("Alarm!", 2)
    check(True, "30 minutes late, the alarm rings within 2 s of the resume")


def no_ring(s):
    try:
        s.wait_window("Alarm!", 1.5)
    except Failure:
        return True
    return False


def missed_notice(s):
    service = asleep_from_7(s, "10:00:00", notifications=True)
    app, _, _, summary, body, _, hints, _ = s.wait("the notice", lambda: service.received, 2)[0]
    check(no_ring(s), "3 hours late, it does not ring")
    check(summary == "Missed alarm" and body.endswith("  7:00:00 AM  Dentist") and time.strftime("%Y-%m-%d") in body,
          "the notice lists its day, time and memo: " + repr(body))
    check(hints.get("urgency") == 1 and hints.get("suppress-sound") and len(service.received) == 1,
          "one notice, quiet and of normal urgency")


def missed_box(s):
    asleep_from_7(s, "10:00:00")
    s.wait_window("Wakery", 3)
    check(no_ring(s), "3 hours late, it does not ring")

    def label():
        stack = [application(s)]
        while stack:
            node = stack.pop()
            if node.get_role_name() == "label" and "Dentist" in (node.get_name() or ""):
                return node.get_name()
            stack += [node.get_child_at_index(i) for i in range(node.get_child_count())]
    text = s.wait("the box's text", label)
    check(text.endswith("7:00:00 AM  Dentist"), "without a notification service a box lists it: " + repr(text))


main(globals())
