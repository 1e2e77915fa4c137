#!/usr/bin/env python3
"""End-to-end checks of the left column under Xvfb: a button reassigned through the assignment
menu and its multimedia submenu reaches the virtual mouse, a key combination typed into the
shortcut dialog becomes a button's function, and a profile is exported through its context menu
and the file chooser.

usage: e2e_left_column.py BIN_DIR CASE   (CASE: assign | shortcut | export)
"""
import os
import shutil
import subprocess
import sys
import time

import e2e_app
from e2e_app import Display, app_dir, env_for, fail, find_window, wait_for, xdotool

BIN, CASE = sys.argv[1], sys.argv[2]
e2e_app.BIN = BIN


def item_y(top, i):
    """The middle of menu item i of a menu whose top is at top (scale 1)."""
    return top + 1 + 22 * i + 11


def start(env):
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    win = wait_for("the main window", lambda: find_window(env))
    time.sleep(1.0)  # start-up traffic
    return app, win


def stop(app, display, appdir):
    app.terminate()
    try:
        app.wait(10)
    except subprocess.TimeoutExpired:
        app.kill()
    display.close()
    shutil.rmtree(appdir, ignore_errors=True)


def case_assign():
    display, appdir = Display(), app_dir()
    trace = os.path.join(appdir, "trace.txt")
    env = env_for(display, appdir, ORVANE_TRACE=trace)
    app, win = start(env)
    try:
        before = len(open(trace).read()) if os.path.exists(trace) else 0
        # Row 3 (the middle button): its combo spans (82,140)-(244,161).
        xdotool(env, "mousemove", "--window", win, "160", "150")
        xdotool(env, "click", "1")
        # The main menu opens at (82 + 161, 161 - 20); resting on "Multimedia" (item 10) opens
        # its submenu at (244 + 161, 161 + 213).
        xdotool(env, "mousemove", "--window", win, "320", str(item_y(141, 10)))
        time.sleep(0.3)
        xdotool(env, "mousemove", "--window", win, "322", str(item_y(141, 10) + 1))
        time.sleep(0.5)
        # "Volume up" is the submenu's seventh item.
        xdotool(env, "mousemove", "--window", win, "480", str(item_y(374, 6)))
        time.sleep(0.3)
        xdotool(env, "mousemove", "--window", win, "482", str(item_y(374, 6) + 1))
        time.sleep(0.2)
        xdotool(env, "click", "1")

        def button_frame():
            text = open(trace).read()[before:] if os.path.exists(trace) else ""
            return [l for l in text.splitlines()
                    if " SET wired " in l and l.split()[5:6] == ["04"] and l.split()[10:14] == ["02", "80", "E9", "00"]]

        frames = wait_for("the button frame in the trace", button_frame, 10)
        print("button frames:", frames)
    finally:
        stop(app, display, appdir)


def trace_lines(trace, since, pred):
    text = open(trace).read()[since:] if os.path.exists(trace) else ""
    return [l for l in text.splitlines() if pred(l.split())]


def case_shortcut():
    display, appdir = Display(), app_dir()
    trace = os.path.join(appdir, "trace.txt")
    env = env_for(display, appdir, ORVANE_TRACE=trace)
    app, win = start(env)
    try:
        before = len(open(trace).read()) if os.path.exists(trace) else 0
        # Row 5, (82,198)-(244,219); its menu opens at (243, 199); "Keyboard shortcut" is item 9.
        xdotool(env, "mousemove", "--window", win, "160", "208")
        xdotool(env, "click", "1")
        xdotool(env, "mousemove", "--window", win, "320", str(item_y(199, 9)))
        time.sleep(0.3)
        xdotool(env, "mousemove", "--window", win, "322", str(item_y(199, 9) + 1))
        time.sleep(0.2)
        xdotool(env, "click", "1")
        # The dialog (429 x 140) has the keyboard: the combination is typed as a user would.
        dialog = wait_for("the shortcut dialog", lambda: window_of_size(env, "429x140"))
        time.sleep(0.5)
        xdotool(env, "keydown", "ctrl")
        xdotool(env, "keydown", "shift")
        xdotool(env, "key", "k")
        xdotool(env, "keyup", "shift")
        xdotool(env, "keyup", "ctrl")
        time.sleep(0.3)
        xdotool(env, "mousemove", "--window", dialog, "294", "120")  # OK
        xdotool(env, "click", "1")
        frames = wait_for("the button frame in the trace", lambda: trace_lines(
            trace, before, lambda t: t[1:3] == ["SET", "wired"] and t[5:6] == ["04"] and
            t[10:14] == ["04", "70", "03", "0E"]), 10)
        print("button frames:", frames)
    finally:
        stop(app, display, appdir)


def window_of_size(env, size):
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True, text=True).stdout
    for line in tree.splitlines():
        if " %s+" % size in line:
            return line.split()[0]
    return ""


def case_export():
    display, appdir = Display(), app_dir()
    # The chooser is Qt's own here: no desktop, no portal.
    env = env_for(display, appdir, QT_QPA_PLATFORMTHEME="")
    env.pop("XDG_CURRENT_DESKTOP", None)
    out = os.path.join(appdir, "exported.psf")
    app, win = start(env)
    try:
        # A right click on the first profile tab, (50,552)-(212,573), opens its menu at
        # (50 + 161, 573 - 20); "Export" is its second item.
        xdotool(env, "mousemove", "--window", win, "130", "562")
        xdotool(env, "click", "3")
        time.sleep(0.5)
        xdotool(env, "mousemove", "--window", win, "290", str(item_y(553, 1)))
        time.sleep(0.3)
        xdotool(env, "mousemove", "--window", win, "292", str(item_y(553, 1) + 1))
        time.sleep(0.2)
        xdotool(env, "click", "1")
        chooser = wait_for("the file chooser", lambda: xdotool(env, "search", "--onlyvisible", "--name", "Export profile"))
        chooser = chooser.split()[0]
        time.sleep(0.5)
        xdotool(env, "windowfocus", "--sync", chooser)
        xdotool(env, "key", "ctrl+a")
        xdotool(env, "type", "--delay", "20", out[:-len(".psf")])  # the chooser adds ".psf"
        xdotool(env, "key", "Return")
        wait_for("the exported file", lambda: os.path.exists(out) and os.path.getsize(out) > 100, 10)
        text = open(out, "rb").read().decode("utf-16")
        if not text.startswith("[Setting]\n"):
            fail("the exported file is not a profile: %r" % text[:40])
        print("exported", os.path.getsize(out), "bytes")
    finally:
        stop(app, display, appdir)


{"assign": case_assign, "shortcut": case_shortcut, "export": case_export}[CASE]()
