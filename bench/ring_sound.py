#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The ring's sound and weight, two builds side by side in one run, for docs/performance.md:
 - the first sound on the private sound server's sink after the due minute starts, recorded from its
   monitor, and the "Alarm!" window mapped (MapNotify, seen by xev), median of RUNS rings;
 - resident memory of the program 10 s after the ring was closed with OK, and of its sound helper (where
   there is one) while it rang.
Rings alternate between the builds. The wall clock is moved with libfaketime.
Usage: bench/ring_sound.py BASE_BUILD_DIR [BUILD_DIR]      (RUNS=5 by default)"""
import glob, os, shutil, statistics, subprocess, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

runs = int(os.environ.get("RUNS", 5))
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build")
builds = {"base": sys.argv[1], "this": sys.argv[2] if len(sys.argv) > 2 else here}


def rss(pid):
    status = open(f"/proc/{pid}/status").read().splitlines()
    return next(int(line.split()[1]) / 1024 for line in status if line.startswith("VmRSS"))


def ring(build):
    """One 07:00 ring of a fresh program started at 06:59:56: window and first sound after the minute (ms),
    the helper's resident MB while ringing, the program's 10 s after OK."""
    s = harness.Session(os.path.abspath(os.path.join(build, "bin", "wakery")))
    try:
        for module in glob.glob(os.path.join(build, "bin", "*.so")):  # a build from before the helper
            shutil.copy2(module, s.app)
        s.pulse()
        recording = s.record()
        s.alarm("7:00:00 AM", "Wake up")
        s.set_clock("06:59:56")
        program = s.program(faketime=True)
        with open(s.path("xev.log"), "w") as log:
            code = "import sys, time\nfor line in sys.stdin:\n    print(f'{time.time():.6f} {line}', end='', flush=True)"
            xev = subprocess.Popen(
                ["xev", "-root", "-event", "substructure"], env=s.env, stdout=subprocess.PIPE
            )
            s.processes += [xev, s.start([sys.executable, "-u", "-c", code], stdin=xev.stdout, stdout=log)]
        window = s.wait_window("Alarm!")
        minute = s.today("07:00:00") - s.offset
        sound = s.wait("the first sound", lambda: recording.sound(minute))
        time.sleep(2)
        helpers = open(f"/proc/{program.pid}/task/{program.pid}/children").read().split()
        helper = rss(helpers[0]) if helpers else float("nan")
        s.keys(window, "Return")
        s.wait("the window to close", lambda: not s.windows("Alarm!"))
        time.sleep(10)
        lines = open(s.path("xev.log")).read().splitlines()
        mapped = next(
            float(line.split()[0])
            for at, line in enumerate(lines[:-1])
            if "MapNotify" in line and f"window 0x{window:x}," in lines[at + 1]
        )
        return (mapped - minute) * 1000, (sound - minute) * 1000, helper, rss(program.pid)
    finally:
        s.close()


figures = {name: [] for name in builds}
try:
    for _ in range(runs):
        for name, build in builds.items():
            figures[name].append(ring(build))
            print(name, " ".join(f"{f:.1f}" for f in figures[name][-1]), flush=True)
except (harness.Failure, subprocess.TimeoutExpired) as error:
    sys.exit(f"FAILED: {error}")
print(
    f"\n{'median of ' + str(runs):14} {'window ms':>10} {'sound ms':>10} {'helper MB':>10} {'after MB':>10}"
)
for name, rows in figures.items():
    print(f"{name:14}" + "".join(f" {statistics.median(column):10.1f}" for column in zip(*rows)))
