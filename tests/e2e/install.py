# SPDX-License-Identifier: GPL-3.0-or-later
"""The package of this build, installed by dpkg into a scratch root and run from there."""
import glob, os, sys, time  # noqa: E401
from harness import add_alarm, application, check, logind, main

tree = lambda root: {
    os.path.join(d, f): os.stat(os.path.join(d, f)).st_mtime_ns for d, _, fs in os.walk(root) for f in fs
}  # noqa: E731


def installed(s):
    s.run(
        "cpack",
        "-G",
        "DEB",
        "--config",
        os.path.abspath(sys.argv[2] + "/../../CPackConfig.cmake"),
        "-B",
        s.path("pkg"),
    )
    root, ini = s.path("root"), s.path("config/Wakery/Data.ini")
    for folder in ("info", "updates", "triggers"):
        os.makedirs(f"{root}/var/lib/dpkg/{folder}")
    open(root + "/var/lib/dpkg/status", "w").close()
    # The maintainer script runs outside the scratch root, which has no shell, told of it by DPKG_ROOT.
    deb = glob.glob(s.path("pkg/wakery_*_amd64.deb"))[0]
    s.run("dpkg", "--root=" + root, "--force-script-chrootless", "--force-depends", "-i", deb)
    helper = root + "/usr/lib/x86_64-linux-gnu/wakery/wakery-wake"
    check(
        s.run("getcap", helper) == helper + " cap_wake_alarm=ep\n",
        "dpkg -i gives the installed wake helper CAP_WAKE_ALARM",
    )
    s.app = root + "/usr/bin"
    s.data("[Alarm]\r\nCount=5\r\n")  # left beside the installed program: neither read nor touched
    before = tree(root)
    s.env.update(XDG_CONFIG_HOME=s.path("config")), s.bus(), s.tray(), s.pulse()
    s.set_clock("06:58:00")
    login = logind(s)
    program = s.program(faketime=True)
    s.click(*s.docked_icon())
    add_alarm(s, application(s), "7:00 AM", {(time.localtime().tm_wday + 1) % 7 + 1}, "Installed")
    s.wait(
        "Data.ini in the config folder", lambda: os.path.exists(ini) and "Memo=Installed" in open(ini).read()
    )
    check("Count=1\n" in open(ini).read(), "the new alarm is the first, in Data.ini in the config folder")
    s.set_clock("06:59:58")
    login.resume()  # the minute timer, a kernel timer, does not see the faked jump
    check(
        s.wait(
            "a stream on the sound server", lambda: s.run("pactl", "list", "short", "sink-inputs").strip()
        ),
        "the alarm rings with a sound",
    )
    helper = open(f"/proc/{program.pid}/task/{program.pid}/children").read().split()
    check(
        [os.readlink(f"/proc/{pid}/exe") for pid in helper]
        == [root + "/usr/lib/x86_64-linux-gnu/wakery/wakery-sound"],
        "the sound helper is the installed one",
    )
    s.keys(s.wait_window("Alarm!"), "Return")
    check(tree(root) == before, "nothing was written into the installed tree")


main(globals())
