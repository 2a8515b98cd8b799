#!/usr/bin/env python3
"""The real program end to end under Xvfb, driven like a user with the mouse and keyboard.

    dbus-run-session -- python3 mainwin_e2e.py tray|no-tray|tray-later <wakery binary> [--shots DIR]

tray: trayer is the notification area. The program starts into it with the window hidden; a left click
on the icon shows the window and its alarms; an alarm added through the editor by keyboard reaches the
list and Data.ini; closing hides the window; the icon menu's Exit ends the program and takes the icon.
A second start from the same folder shows the running copy's window and ends.
no-tray: no notification area. The window stays reachable, minimised on the task bar; closing it asks
before ending, and No keeps it running.
tray-later: a notification area that appears after the start gets the icon, and the window goes into it;
when the area goes away again, the window comes back."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11session as xs  # noqa: E402
from x11session import Failure, wait_for  # noqa: E402

TITLE = "Orvane Wakery"
DATA = ("[Alarm]\r\nCount=2\r\nDSnooze=00:05\r\n"
        "[Alarm1]\r\nState=1\r\nType=23456\r\nTime=6:30 AM\r\nMemo=Get up\r\nSound=\r\n"
        "[Alarm2]\r\nState=0\r\nType=17\r\nTime=9:00 PM\r\nMemo=Weekend film\r\nSound=\r\n")
ROWS = [["6:30:00 AM", "Get up", "Mon,Tue,Wed,Thu,Fri", "On"],
        ["9:00:00 PM", "Weekend film", "Sun,Sat", "Off"]]


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


def program_folder(binary):
    folder = tempfile.mkdtemp(prefix="wakery-e2e-")
    xs.copy_program(binary, folder)
    with open(os.path.join(folder, "Data.ini"), "w", newline="") as data:
        data.write(DATA)
    return folder


def start_program(display, folder, binary):
    env = dict(display.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    return display.start([os.path.join(folder, os.path.basename(binary))], env=env)


def data_ini(folder):
    with open(os.path.join(folder, "Data.ini")) as data:
        return data.read()


def main_window(display):
    return wait_for("the main window on screen", lambda: display.viewable(TITLE))[0]


def rows(app):
    return xs.table_rows(app)


def shot(display, shots, name):
    if shots:
        display.screenshot(os.path.join(shots, name))


def add_alarm_by_keyboard(display, app):
    xs.press(wait_for("the Add... button", lambda: xs.find(app, role="push button", name="Add...")))
    editor = wait_for("the editor", lambda: display.viewable("Set Alarm..."))[0]
    shot(display, SHOTS, "editor.png")
    # The editor opens on OK; Tab leads through Cancel to the time box, then the day boxes Sun..Sat.
    display.keys(editor, "Tab", "Tab", "ctrl+a")
    display.type(editor, "7:45 pm")
    display.keys(editor, "Tab", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab")
    display.type(editor, "Call the garage")
    shot(display, SHOTS, "editor-filled.png")
    # On past Browse to the sound box, where Enter presses the default button, OK.
    display.keys(editor, "Tab", "Tab", "Return")
    wait_for("the editor to close", lambda: not display.viewable("Set Alarm..."))


def with_tray(binary, shots):
    display = xs.Display()
    folder = program_folder(binary)
    try:
        display.start_tray_host()
        program = start_program(display, folder, binary)
        icon = wait_for("the icon in the notification area", display.docked_icon)
        check(not display.viewable(TITLE), "the window starts hidden, the icon is in the notification area")
        shot(display, shots, "tray.png")

        display.click(icon[2], icon[3])
        window = main_window(display)
        app = xs.application("wakery")
        wait_for("the alarms in the list", lambda: rows(app) == ROWS)
        check(True, "a left click on the icon shows the window with its alarms")
        shot(display, shots, "main.png")

        add_alarm_by_keyboard(display, app)
        expected = ROWS + [["7:45:00 PM", "Call the garage", "Mon,Wed", "On"]]
        wait_for("the new alarm in the list", lambda: rows(app) == expected)
        stored = data_ini(folder)
        check("Count=3" in stored and "[Alarm3]" in stored and "Memo=Call the garage" in stored
              and "Time=7:45 pm" in stored and "Type=24" in stored,
              "an alarm added through the editor reaches the list and Data.ini")

        display.ask_to_close(window)
        wait_for("the window to hide", lambda: not display.viewable(TITLE))
        check(program.poll() is None and display.tray_icons(), "closing hides the window and the program runs on")

        # A second start from the same folder shows the running copy's window and ends.
        second = start_program(display, folder, binary)
        check(second.wait(10) == 0 and main_window(display), "a second start shows the running copy and ends")

        # Exit ends the program at once, even with the editor open in front of the main window.
        icon = display.docked_icon()
        xs.press(wait_for("the Add... button", lambda: xs.find(app, role="push button", name="Add...")))
        wait_for("the editor", lambda: display.viewable("Set Alarm..."))
        # The menu is a pop-up window of the program's own, next to the icon.
        before = set(display.visible_of_class("wakery"))
        display.click(icon[2], icon[3], button=3)
        wait_for("the icon menu", lambda: set(display.visible_of_class("wakery")) - before)
        shot(display, shots, "tray-menu.png")
        display.run("xdotool", "key", "e")
        check(program.wait(10) == 0, "Exit in the icon menu ends the program, the open editor with it")
        check(not display.tray_icons(), "the icon is gone from the notification area")
    finally:
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


def without_tray(binary, shots):
    display = xs.Display()
    folder = program_folder(binary)
    try:
        program = start_program(display, folder, binary)
        window = main_window(display)
        # Minimised is a request to the window manager, which this display lacks; the window's own
        # state says what a window manager would do with it.
        check(wait_for("the minimised state", lambda: "_NET_WM_STATE_HIDDEN" in display.run(
            "xprop", "-id", str(window), "_NET_WM_STATE")),
            "with no notification area the window starts minimised on the task bar, not hidden")
        app = xs.application("wakery")
        wait_for("the alarms in the list", lambda: rows(app) == ROWS)
        shot(display, shots, "no-tray.png")

        for answer in ("No", "Yes"):
            display.ask_to_close(window)
            question = wait_for("the question before ending", lambda: xs.find(
                app, role="label", name="There is no notification area to keep Wakery in. End Wakery now? "
                                        "Alarms will not ring until it is started again."))
            check(question is not None, "closing asks before ending the program")
            shot(display, shots, "no-tray-question.png")
            xs.press(wait_for("the " + answer + " button", lambda: xs.find(app, role="push button", name=answer)))
            if answer == "No":
                wait_for("the question to go", lambda: not xs.find(app, role="push button", name="No"))
                check(program.poll() is None and display.viewable(TITLE), "No keeps the program running")
        check(program.wait(10) == 0, "Yes ends the program")
    finally:
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


def tray_later(binary, shots):
    display = xs.Display()
    folder = program_folder(binary)
    try:
        program = start_program(display, folder, binary)
        main_window(display)
        host = display.start_tray_host()
        wait_for("the icon in the notification area that came later", display.docked_icon)
        wait_for("the window to go into it", lambda: not display.viewable(TITLE))
        check(True, "a notification area that appears later gets the icon, and the window goes into it")

        host.terminate()
        host.wait(5)
        window = main_window(display)
        check(program.poll() is None, "when the notification area goes, the window comes back to the task bar")

        display.ask_to_close(window)
        app = xs.application("wakery")
        xs.press(wait_for("the Yes button", lambda: xs.find(app, role="push button", name="Yes")))
        check(program.wait(10) == 0, "and closing it can end the program")
    finally:
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


SCENARIOS = {"tray": with_tray, "no-tray": without_tray, "tray-later": tray_later}
parser = argparse.ArgumentParser()
parser.add_argument("scenario", choices=sorted(SCENARIOS))
parser.add_argument("binary")
parser.add_argument("--shots", help="folder for screenshots of each step")
args = parser.parse_args()
SHOTS = args.shots
try:
    SCENARIOS[args.scenario](os.path.abspath(args.binary), args.shots)
except (Failure, subprocess.TimeoutExpired) as error:
    print("FAILED:", error, flush=True)
    sys.exit(1)
