#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Many rings of one program, for docs/performance.md: a weekly 07:00 alarm, snoozed at 07:00 and answered
with OK at 07:05, week after week under libfaketime (the check is run at once through a resume signal).
After the 10th ring and after the last, once the window closed: the program's resident memory, open file
descriptors and threads, which must not grow (memory within 1 MB).
Usage: bench/ring_cycles.py [BUILD_DIR]      (RINGS=1000 by default: about 17 minutes)"""
import glob, os, shutil, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

rings = int(os.environ.get("RINGS", 1000))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "build")


def weight(pid):
    status = open(f"/proc/{pid}/status").read().splitlines()
    resident = next(int(line.split()[1]) / 1024 for line in status if line.startswith("VmRSS"))
    return resident, len(os.listdir(f"/proc/{pid}/fd")), len(os.listdir(f"/proc/{pid}/task"))


s = harness.Session(os.path.abspath(os.path.join(build, "bin", "wakery")))
try:
    for module in glob.glob(os.path.join(build, "bin", "*.so")):  # a build from before the helper
        shutil.copy2(module, s.app)
    # A session bus with a notification service, as every desktop has: with no bus at all, each ring
    # leaves about 85 KB behind, which no desktop session would see.
    s.pulse(), s.bus(), harness.notifications(s)
    s.alarm("7:00:00 AM", "Wake up")
    s.set_clock("06:59:50")
    login = harness.logind(s)
    program = s.program(faketime=True)
    figures = {}
    for ring in range(1, rings + 1):
        s.set_clock("07:00:00" if ring % 2 else "07:05:00", days=7 * (ring // 2))
        login.resume()
        window = s.wait_window("Alarm!")
        s.keys(window, *(["Tab", "Return"] if ring % 2 else ["Return"]))  # Snooze, then OK
        s.wait("the window to close", lambda: not s.windows("Alarm!"))
        if ring in (10, rings):
            figures[ring] = weight(program.pid)
            print(
                f"after ring {ring}: {figures[ring][0]:.1f} MB resident, {figures[ring][1]} fds, "
                f"{figures[ring][2]} threads",
                flush=True,
            )
    grown = figures[rings][0] - figures[10][0]
    harness.check(grown < 1.0, f"memory grew by {grown:.2f} MB from the 10th to the {rings}th ring")
    harness.check(figures[rings][1:] == figures[10][1:], "no file descriptor or thread left over")
except (harness.Failure, subprocess.TimeoutExpired) as error:
    sys.exit(f"FAILED: {error}")
finally:
    s.close()
