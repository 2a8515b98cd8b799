#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Wakery idle in the notification area beside a minimal Qt 6 tray program (bench/idle/ReferenceTray.cpp),
in one run on one display: Xvfb with trayer as the notification area, Wakery with 10 alarms (none due).

    /usr/bin/python3 bench/idle_floor.py build/bin/wakery build/bin/reference_tray [--starts 5] [--idle 120]

Start to icon: from starting the process to its icon's window mapped in the panel (median of --starts).
Then both run side by side; after 10 s of settling, over --idle seconds: wake-ups (voluntary and
involuntary context switches of all threads, /proc/PID/task/*/status), CPU (on-CPU time of all threads,
/proc/PID/task/*/schedstat); at the end resident memory (VmRSS) and PSS (smaps_rollup)."""

import argparse, glob, os, shutil, signal, statistics, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402


def ten_alarms():
    # Early on Sunday mornings only: nothing rings while the measurement runs.
    return "[Alarm]\r\nCount=10\r\nDSnooze=00:05\r\n" + "".join(
        f"[Alarm{i}]\r\nState=1\r\nType=1\r\nTime=3:{i:02d} AM\r\nMemo=Reminder {i}\r\nSound=\r\n"
        for i in range(1, 11)
    )


def counters(pid):
    switches = cpu_ns = 0
    for task in glob.glob(f"/proc/{pid}/task/*"):
        try:
            with open(task + "/status") as status:
                switches += sum(
                    int(line.split()[1])
                    for line in status
                    if line.startswith(("voluntary_ctxt", "nonvoluntary_ctxt"))
                )
            with open(task + "/schedstat") as schedstat:
                cpu_ns += int(schedstat.read().split()[0])
        except OSError:  # a thread that ended meanwhile
            pass
    return switches, cpu_ns


def memory(pid):
    def field(path, key):
        with open(path) as source:
            return next(int(line.split()[1]) for line in source if line.startswith(key + ":")) / 1024

    return (
        field(f"/proc/{pid}/status", "VmRSS"),
        field(f"/proc/{pid}/smaps_rollup", "Pss"),
        len(os.listdir(f"/proc/{pid}/task")),
    )


parser = argparse.ArgumentParser()
parser.add_argument("wakery")
parser.add_argument("reference")
parser.add_argument("--starts", type=int, default=5)
parser.add_argument("--idle", type=float, default=120.0)
args = parser.parse_args()

s = harness.Session(os.path.abspath(args.wakery))
try:
    s.bus()  # as in every desktop session: the program follows its notification area by events, not by looking
    s.tray()
    s.data(ten_alarms())
    shutil.copy2(args.reference, s.path("reference_tray"))
    programs = {
        "Wakery": (s.program, "wakery"),
        "minimal Qt 6 tray program": (lambda: s.start([s.path("reference_tray")]), "reference_tray"),
    }

    def start(name):
        launch, classname = programs[name]
        began = time.monotonic()
        process = launch()
        s.wait("the icon of " + name, lambda: s.windows(classname=classname), timeout=20, interval=0.002)
        return process, time.monotonic() - began

    starts = {name: [] for name in programs}
    for _ in range(args.starts):
        for name, (_, classname) in programs.items():
            process, took = start(name)
            starts[name].append(took)
            process.send_signal(signal.SIGTERM)
            process.wait(10)
            s.wait("the icon to go", lambda: not s.windows(classname=classname))

    running = {name: start(name)[0] for name in programs}
    time.sleep(10)
    before = {name: (counters(p.pid), time.monotonic()) for name, p in running.items()}
    time.sleep(args.idle)
    print(
        f"Idle {args.idle:.0f} s in the notification area, Wakery with 10 alarms; start to icon: median of {args.starts}.\n"
    )
    print("| | wake-ups/s | CPU % of a core | resident memory | PSS | threads | start to icon |")
    print("|---|---|---|---|---|---|---|")
    for name, process in running.items():
        (switches, cpu_ns), began = before[name]
        (switches_now, cpu_now), took = counters(process.pid), time.monotonic() - began
        rss, pss, threads = memory(process.pid)
        print(
            f"| {name} | {(switches_now - switches) / took:.3f} | {(cpu_now - cpu_ns) / took / 1e7:.4f} | "
            f"{rss:.1f} MB | {pss:.1f} MB | {threads} | {statistics.median(starts[name]):.3f} s |"
        )
finally:
    s.close()
