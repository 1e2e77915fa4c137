#!/usr/bin/env python3
"""End-to-end check of macro recording under Xvfb: a click on "Macro manager" opens the manager,
a click on Record starts a recording, "ab" typed with xdotool (system-wide keys, through XInput 2)
is recorded, a second click stops it, and the recorded actions are in the library file.

usage: e2e_macro.py BIN_DIR
"""
import os
import shutil
import subprocess
import sys
import time

import e2e_app
from e2e_app import TITLE, Display, app_dir, env_for, fail, wait_for, xdotool

BIN = sys.argv[1]
e2e_app.BIN = BIN
MAIN_SIZE = (1127, 740)
MANAGER_SIZE = (528, 365)
MACRO_BUTTON = (151, 332)  # the main window's "Macro manager" button
RECORD = (415, 62)         # the manager's record toggle
CLOSE = (512, 10)          # the manager's close control


def window_of_size(env, size):
    for win in xdotool(env, "search", "--onlyvisible", "--name", TITLE).split():
        geometry = xdotool(env, "getwindowgeometry", "--shell", win)
        fields = dict(l.split("=", 1) for l in geometry.splitlines() if "=" in l)
        if (int(fields.get("WIDTH", 0)), int(fields.get("HEIGHT", 0))) == size:
            return win
    return ""


def click(env, win, pos):
    xdotool(env, "mousemove", "--window", win, str(pos[0]), str(pos[1]))
    xdotool(env, "click", "1")


def library_actions(appdir):
    """The AllAction texts of the library file, macro by macro."""
    path = os.path.join(appdir, "config", "MacroLibraryFile.mlf")
    text = open(path, "rb").read().decode("utf-16")
    return [l.split("=", 1)[1] for l in text.split("\n") if l.strip().startswith("AllAction=")]


def main():
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    env.pop("XDG_SESSION_TYPE", None)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        main_win = wait_for("the main window", lambda: window_of_size(env, MAIN_SIZE))
        time.sleep(1.0)  # start-up traffic
        click(env, main_win, MACRO_BUTTON)
        manager = wait_for("the macro manager", lambda: window_of_size(env, MANAGER_SIZE), 10)
        time.sleep(0.5)
        before = library_actions(appdir)[0]
        click(env, manager, RECORD)
        time.sleep(0.5)
        # Typed with no window of ours asked for: the keys are heard system-wide.
        xdotool(env, "type", "--delay", "150", "ab")
        time.sleep(0.5)
        click(env, manager, RECORD)

        def recorded():
            actions = library_actions(appdir)[0]
            return actions if actions != before else ""

        actions = wait_for("the recording in the library file", recorded, 5)
        slots = [actions[i:i + 8] for i in range(0, len(actions), 8)]
        keys = [s for s in slots[:8] if not s.startswith("03")]
        delays = [int(s[2:], 16) for s in slots[:8] if s.startswith("03")]
        print("recorded:", " ".join(slots[:8]))
        if keys[:4] != ["41000000", "41800000", "42000000", "42800000"]:
            fail("expected A and B pressed and released, got " + " ".join(keys[:4]))
        if len(delays) < 3 or any(d > 4095 for d in delays):
            fail("expected a delay between the keys, got %s" % delays)
        click(env, manager, CLOSE)
        wait_for("the manager to close", lambda: not window_of_size(env, MANAGER_SIZE), 5)
        if app.poll() is not None:
            fail("orvane ended")
        print("typed keys were recorded into the library file")
    finally:
        app.terminate()
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


main()
