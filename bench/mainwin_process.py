#!/usr/bin/env python3
"""The whole program under Xvfb with trayer as the notification area: time from start to the icon docked
in the notification area, and resident memory after a stretch of idling with 10 alarms.

    /usr/bin/python3 bench/mainwin_process.py build/bin/wakery [--runs 10] [--idle 30]

Each start runs from the same scratch folder holding the program, what lies beside it (default.wav,
modules) and a Data.ini with 10 alarms, none of them due during the run."""

import argparse
import os
import signal
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402


def ten_alarms():
    text = "[Alarm]\r\nCount=10\r\nDSnooze=00:05\r\n"
    for i in range(1, 11):
        # Early in the morning on Sundays only: nothing rings while the measurement runs.
        text += (f"[Alarm{i}]\r\nState=1\r\nType=1\r\nTime=3:{i:02d} AM\r\n"
                 f"Memo=Reminder {i}\r\nSound=\r\n")
    return text


def start(session):
    began = time.monotonic()
    process = session.program()
    # With a notification area the icon is the program's only mapped window.
    session.wait("the icon", lambda: session.windows(classname="wakery"), timeout=20, interval=0.002)
    return process, time.monotonic() - began


def memory(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "VmHWM", "RssAnon", "RssFile"):
                fields[key] = int(value.split()[0])  # kB
    with open(f"/proc/{pid}/stat") as stat:
        parts = stat.read().rsplit(")", 1)[1].split()
    ticks = int(parts[11]) + int(parts[12])  # utime + stime
    return fields, ticks / os.sysconf("SC_CLK_TCK")


def stop(process):
    process.send_signal(signal.SIGTERM)
    process.wait(10)


parser = argparse.ArgumentParser()
parser.add_argument("binary")
parser.add_argument("--runs", type=int, default=10)
parser.add_argument("--idle", type=float, default=30.0)
args = parser.parse_args()
args.binary = os.path.abspath(args.binary)

session = harness.Session(args.binary)
try:
    session.tray()
    session.data(ten_alarms())
    times = []
    for _ in range(args.runs):
        process, took = start(session)
        times.append(took * 1000)
        stop(process)
        session.wait("the icon to go", lambda: not session.windows(classname="wakery"))
    print(f"start to icon docked, {args.runs} starts: median {statistics.median(times):.0f} ms, "
          f"min {min(times):.0f} ms, max {max(times):.0f} ms")

    process, _ = start(session)
    _, cpu_before = memory(process.pid)
    time.sleep(args.idle)
    fields, cpu_after = memory(process.pid)
    print(f"after {args.idle:.0f} s idle with 10 alarms: VmRSS {fields['VmRSS'] / 1024:.1f} MiB "
          f"(anonymous {fields['RssAnon'] / 1024:.1f} MiB, files {fields['RssFile'] / 1024:.1f} MiB), "
          f"VmHWM {fields['VmHWM'] / 1024:.1f} MiB, CPU used while idle {(cpu_after - cpu_before) * 1000:.0f} ms")
    stop(process)
finally:
    session.close()
