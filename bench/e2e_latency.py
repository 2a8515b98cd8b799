#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Speed and weight of the real program under Xvfb, for docs/performance.md:
 - how long after the start of the due minute the alarm check runs (its Data.ini test, seen by strace)
   and the "Alarm!" window is mapped (MapNotify on the root window, seen by xev), median of RUNS runs;
 - wake-ups (context switches of all threads) and on-CPU time of the idle program over IDLE_SECONDS;
 - resident memory before any alarm rang and after one ring was closed with OK.
The wall clock is moved with libfaketime; Qt's timers run on the real monotonic clock.
Usage: bench/e2e_latency.py [BUILD_DIR]      (RUNS=5 IDLE_SECONDS=60 by default)"""
import glob, os, statistics, subprocess, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "build")
runs, idle_seconds = int(os.environ.get("RUNS", 5)), int(os.environ.get("IDLE_SECONDS", 60))
s = harness.Session(os.path.abspath(os.path.join(build, "bin", "wakery")))
ALARM = (
    "[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType=%d\r\nTime=7:00:00 AM\r\nMemo=Wake up\r\nSound=\r\n"
)
s.data(ALARM % ((time.localtime().tm_wday + 1) % 7 + 1))


def stamped(argv, log):
    """argv's output, each line prefixed by the real time it arrived."""
    code = (
        "import subprocess, sys, time\nchild = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, text=True)\n"
        "for line in child.stdout:\n    print(f'{time.time():.6f} {line}', end='', flush=True)\n"
    )
    return s.start([sys.executable, "-u", "-c", code] + argv, stdout=log)


def ring_once(mode):
    """One 07:00 alarm, the program started at 06:59:56; the latency in ms of its window (map) or check."""
    s.set_clock("06:59:56")
    program = s.program(faketime=True)
    s.wait("the start-up to finish, before the minute", lambda: s.fake_now() >= s.today("06:59:57.5"))
    with open(s.path(mode + ".log"), "w") as log:
        helper = (
            stamped(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"], log)
            if mode == "map"
            else s.start(
                ["strace", "-f", "-ttt", "-e", "trace=%file", "-p", str(program.pid), "-o", log.name]
            )
        )
    window = s.wait_window("Alarm!", 10)
    minute_real = s.today("07:00:00") - s.offset
    s.wait("the helper to write it down", lambda: os.path.getsize(log.name) > 0, 5)
    time.sleep(0.3)  # what the helper has seen but not yet written
    for process in (helper, program):
        process.terminate()
        process.wait()
    lines = open(log.name).read().splitlines()
    if mode == "map":
        for at, line in enumerate(lines[:-1]):
            if "MapNotify" in line and f"window 0x{window:x}," in lines[at + 1]:
                return (float(line.split()[0]) - minute_real) * 1000
    for line in lines:
        if "Data.ini" in line and float(line.split()[1]) >= minute_real - 0.5:
            return (float(line.split()[1]) - minute_real) * 1000
    raise harness.Failure("no " + mode + " seen")


def sample(pid):
    """Context switches and on-CPU nanoseconds over all threads, and the thread count."""
    switches = cpu = 0
    tasks = glob.glob(f"/proc/{pid}/task/*")
    for task in tasks:
        switches += sum(int(line.split()[1]) for line in open(task + "/status") if "ctxt_switches" in line)
        cpu += int(open(task + "/schedstat").read().split()[0])
    return switches, cpu, len(tasks)


def idle(pid, seconds):
    a = sample(pid)
    time.sleep(seconds)
    b = sample(pid)
    w, c = b[0] - a[0], b[1] - a[1]
    print(
        f"{w} wake-ups in {seconds} s = {w / seconds:.3f}/s; on-CPU {c / 1e6:.2f} ms = {c / 1e7 / seconds:.4f} % "
        f"of a core; {b[2]} threads"
    )


def rss(pid):
    return next(
        int(line.split()[1]) / 1024 for line in open(f"/proc/{pid}/status") if line.startswith("VmRSS")
    )


try:
    s.pulse()
    for mode, what in (("map", "window mapped"), ("check", "alarm check (Data.ini test), under strace,")):
        figures = [ring_once(mode) for _ in range(runs)]
        print(
            f"== {what} after the minute start (ms), {runs} runs: {' '.join(f'{f:.1f}' for f in figures)}"
            f"   median: {statistics.median(figures):.1f}"
        )
    print("== idle program, no alarm rung yet")
    s.set_clock("06:58:00")
    login = harness.logind(
        s
    )  # the minute timer, a kernel timer, sees the faked jump only through the resume signal
    program = s.program(faketime=True)
    time.sleep(5)
    print(f"resident before any ring: {rss(program.pid):.1f} MB")
    idle(program.pid, idle_seconds)
    print("== one ring, closed with OK")
    s.set_clock("06:59:57")
    time.sleep(1.1)  # past libfaketime's one-second cache, so the resume reads the new time
    login.resume()
    window = s.wait_window("Alarm!", 15)
    time.sleep(3)
    s.keys(window, "Return")
    s.wait("the window to close", lambda: not s.windows("Alarm!"))
    time.sleep(3)
    print(f"resident after one ring: {rss(program.pid):.1f} MB")
    print("== idle again after the ring")
    idle(program.pid, idle_seconds // 2)
except (harness.Failure, subprocess.TimeoutExpired) as error:
    sys.exit(f"FAILED: {error}")
finally:
    s.close()
