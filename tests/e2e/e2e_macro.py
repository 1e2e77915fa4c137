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
import tempfile
import time

BIN = sys.argv[1]
TITLE = "Velmira Orvane"
MAIN_SIZE = (1127, 740)
MANAGER_SIZE = (528, 365)
MACRO_BUTTON = (151, 332)  # the main window's "Macro manager" button
RECORD = (415, 62)         # the manager's record toggle
CLOSE = (512, 10)          # the manager's close control


def fail(msg):
    print("FAIL:", msg)
    sys.exit(1)


def wait_for(what, fn, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        v = fn()
        if v:
            return v
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def xdotool(env, *args):
    r = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True)
    return r.stdout.strip() if r.returncode == 0 else ""


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
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    display = xvfb.stdout.readline().decode().strip()
    if not display:
        fail("Xvfb did not start")
    appdir = tempfile.mkdtemp(prefix="orvane-e2e-macro-")
    for sub in ("skins", "resources"):
        if os.path.isdir(os.path.join(BIN, sub)):
            os.symlink(os.path.join(BIN, sub), os.path.join(appdir, sub))
    os.mkdir(os.path.join(appdir, "config"))
    for f in ("LanSetting.ini", "Lan_EN.txt", "Lan.txt", "MacroLibraryFile.mlf"):
        shutil.copy(os.path.join(BIN, "config", f), os.path.join(appdir, "config", f))
    env = dict(os.environ)
    env.update({"DISPLAY": ":" + display, "QT_QPA_PLATFORM": "xcb", "ORVANE_APP_DIR": appdir,
                "XDG_RUNTIME_DIR": appdir})
    for var in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_SESSION_TYPE"):
        env.pop(var, None)
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
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(appdir, ignore_errors=True)


main()
