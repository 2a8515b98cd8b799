"""After a sleep or a clock jump, in the real program: the resume signal runs the check at once, an alarm 30
minutes late rings, one 3 hours late does not and is listed in a quiet notice, or in a box titled "Wakery"
when the session has no notification service."""
import os, sys, time  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from buses import Logind, Notifications  # noqa: E402
from harness import Failure, application, check, main  # noqa: E402


def asleep_from_7(s, wake_at, notifications=False):
    """Alarm 7:00 "Dentist" today; the program's last check is at 6:59, then it sleeps until wake_at."""
    day = (time.localtime().tm_wday + 1) % 7 + 1
    s.data(f"[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType={day}\r\nTime=7:00 AM\r\nMemo=Dentist\r\nSound=\r\n")
    s.bus()
    s.tray()
    service, logind = Notifications(s) if notifications else None, Logind(s)
    s.set_clock("06:59:01")  # its own minute timer is a minute away, far beyond the 2 s asked of the resume
    s.program(faketime=True, env={"FAKETIME_NO_CACHE": "1"})
    s.docked_icon()  # the icon comes after the first check
    s.set_clock(wake_at)
    logind.resume()
    return service


def catch_up(s):
    asleep_from_7(s, "07:30:00")
    check(s.wait_window("Alarm!", 2), "30 minutes late, the alarm rings within 2 s of the resume")


def missed(s, notifications):
    service = asleep_from_7(s, "10:00:00", notifications)
    if notifications:
        _, _, _, summary, text, _, hints, _ = s.wait("the notice", lambda: service.received, 2)[0]
        check(hints.get("urgency") == 1 and hints.get("suppress-sound") and summary == "Missed alarm",
              "a notice without sound, of normal urgency")
    else:
        s.wait_window("Wakery", 3)
        labels = lambda node: [node.get_name() or ""] + sum((labels(node.get_child_at_index(i))  # noqa: E731
                                                       for i in range(node.get_child_count())), [])
        text = s.wait("the box's text", lambda: next((t for t in labels(application(s)) if "Dentist" in t), None))
    check(text.endswith(time.strftime("%Y-%m-%d  7:00:00 AM  Dentist")), "it lists the day, time and memo: " + repr(text))
    try:
        s.wait_window("Alarm!", 1.5)
    except Failure:
        return check(not notifications or len(service.received) == 1, "3 hours late, no ring and one notice")
    raise Failure("it rang 3 hours late")


def missed_notice(s):
    missed(s, True)


def missed_box(s):
    missed(s, False)


main(globals())
