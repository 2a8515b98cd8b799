# SPDX-License-Identifier: GPL-3.0-or-later
"""Wakery as an ordinary user keeps its wake-up timer through a copy of the wake helper that the test, as
root, gives CAP_WAKE_ALARM; root also reads the helper's /proc files. A real suspend and resume cannot be
shown here: the timer's clock and time, the helper's privileges and its end are what is checked."""
import datetime, os, re, shutil, signal, subprocess, time  # noqa: E401
from harness import Unprivileged, application, check, find, main, press
from gi.repository import Atspi

# The user's bus lets root in too, to read the accessibility tree.
BUS = """<busconfig><include>/usr/share/dbus-1/session.conf</include>
<policy context="default"><allow user="root"/></policy></busconfig>"""


class Nobody(Unprivileged):
    def __init__(self, binary):
        super().__init__(binary)
        os.chmod(self.dir, 0o755)
        for folder in (self.dir, self.app, self.path("run")):
            os.chown(folder, self.USER.pw_uid, self.USER.pw_gid)
        shutil.copy2(os.path.join(os.path.dirname(binary), "wakery-wake"), self.app)


def helper_of(s, program):
    return int(s.wait("the wake helper", lambda: s.run("pgrep", "-P", str(program.pid), "-x", "wakery-wake")))


def timer(pid):  # the helper's alarm timerfd as /proc shows it
    infos = [open(f"/proc/{pid}/fdinfo/{fd}").read() for fd in os.listdir(f"/proc/{pid}/fdinfo")]
    return next(info for info in infos if "clockid: 8\n" in info)


def armed_at(pid, hhmm):  # whether it goes off tomorrow at hhmm by the real clock, within a second
    tomorrow = datetime.date.today() + datetime.timedelta(1)
    due = datetime.datetime.combine(tomorrow, datetime.time.fromisoformat(hhmm)).timestamp()
    seconds, nanoseconds = map(int, re.search(r"it_value: \((\d+), (\d+)\)", info := timer(pid)).groups())
    return "settime flags: 01\n" in info and abs(time.time() + seconds + nanoseconds / 1e9 - due) < 1


def gone(pid):  # or left unreaped by whoever took it over
    try:
        return "State:\tZ" in open(f"/proc/{pid}/status").read()
    except OSError:  # gone, or going while read
        return True


def status_line(s, text):
    return s.wait(f'"{text}" in the status line', lambda: find(application(s), "label", text))


def select_and_switch(s, memo):
    cell = s.wait("the row", lambda: find(application(s), "table cell", memo)).get_extents(
        Atspi.CoordType.SCREEN
    )
    s.click(cell.x + cell.width // 2, cell.y + cell.height // 2)
    press(s, application(s), "On/Off")


def unprivileged(s):
    with open(s.path("bus.conf"), "w") as config:
        config.write(BUS)
    s.bus(config="--config-file=" + s.path("bus.conf"))
    helper = os.path.join(s.app, "wakery-wake")
    subprocess.run(["setcap", "cap_wake_alarm=ep", helper], check=True)
    s.data("[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType=1234567\r\nTime=7:00 AM\r\nMemo=Work\r\n")
    s.set_clock("06:59:50", 1)  # tomorrow: ahead of the real clock, which the helper's timer keeps
    program = s.program(faketime=True)
    pid = helper_of(s, program)
    check(status_line(s, "wakes this computer for alarms"), "the status line says the computer is woken")
    check(
        {"CapEff:\t0000000800000000", "NoNewPrivs:\t1"}
        <= set(open(f"/proc/{pid}/status").read().split("\n")),
        "the helper holds CAP_WAKE_ALARM alone, with no new privileges",
    )
    check(s.wait("the timer at 7:00", lambda: armed_at(pid, "07:00")), "its alarm timer is at the next ring")
    s.keys(s.wait_window("Alarm!", 15), "Tab", "space")
    check(s.wait("the timer at 7:05", lambda: armed_at(pid, "07:05")), "Snooze moves it to the snoozed ring")
    select_and_switch(s, "Work")
    check(
        s.wait("the timer stopped", lambda: "settime flags: 00\n" in timer(pid)), "with no alarm on, it stops"
    )
    select_and_switch(s, "Work")  # on again: the helper starts only with an alarm on
    s.wait("the alarm on in Data.ini", lambda: "State=1" in s.data())
    program.send_signal(signal.SIGTERM)  # as Exit
    check(s.wait("the helper to end", lambda: gone(pid), 1), "the helper ends within a second of Exit")
    program = s.program(faketime=True)
    pid = helper_of(s, program)
    program.kill()
    check(s.wait("the helper to end", lambda: gone(pid), 1), "and within a second of a SIGKILL of Wakery")
    subprocess.run(["setcap", "-r", helper], check=True)
    program = s.program(faketime=True)
    check(status_line(s, "cannot wake this computer"), "without the capability the status line says so")
    check(program.poll() is None, "and Wakery runs on")


main(globals(), Nobody)
