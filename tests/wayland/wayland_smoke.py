#!/usr/bin/env python3
"""Orvane on Wayland, natively: under weston's headless backend, `orvane --simulate` maps its
window (found in the client's own protocol log) without touching X11, and quits cleanly on
SIGTERM.

usage: wayland_smoke.py BIN_DIR
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BIN = sys.argv[1]


def fail(msg):
    print("FAIL:", msg)
    sys.exit(1)


def wait_for(what, fn, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        v = fn()
        if v:
            return v
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def app_dir(root):
    """A throw-away application folder: the built pictures and language files, fresh settings."""
    d = os.path.join(root, "app")
    os.makedirs(os.path.join(d, "config"))
    for sub in ("skins", "resources"):
        if os.path.isdir(os.path.join(BIN, sub)):
            os.symlink(os.path.join(BIN, sub), os.path.join(d, sub))
    for f in os.listdir(os.path.join(BIN, "config")):
        src = os.path.join(BIN, "config", f)
        if f == "MacroLibraryFile.mlf" or (f.startswith("Lan") and f.endswith(".txt")):
            shutil.copy(src, os.path.join(d, "config", f))
    # English whatever the machine's locale, as a user who chose it has.
    with open(os.path.join(d, "config", "LanSetting.ini"), "wb") as f:
        f.write("\ufeff[ChangeLanguage]\nLanguage=EN\n".encode("utf-16-le"))
    return d


def mapped(log):
    """True once the last toplevel of the window got its configure acknowledged and a buffer
    committed, and was not minimised afterwards."""
    tops = [m.start() for m in re.finditer(r"-> xdg_surface@\d+\.get_toplevel", log)]
    if not tops:
        return False
    last = log[tops[-1]:]
    if "set_minimized" in last:
        return False
    ack = last.find(".ack_configure(")
    return ack >= 0 and re.search(r"-> wl_surface@\d+\.attach\(wl_buffer@", last[ack:]) is not None


def main():
    if not shutil.which("weston"):
        print("weston is not installed (scripts/install-deps)")
        return 77
    root = tempfile.mkdtemp(prefix="orvane-wayland-")
    runtime = os.path.join(root, "runtime")
    os.makedirs(runtime, mode=0o700)
    base = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "ORVANE_APP_DIR")}
    base["XDG_RUNTIME_DIR"] = runtime
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--socket=orvane-test", "--idle-time=0", "--no-config"],
        env=base, stdout=subprocess.DEVNULL, stderr=open(os.path.join(root, "weston.log"), "w"))
    app = None
    try:
        wait_for("weston's socket", lambda: os.path.exists(os.path.join(runtime, "orvane-test")), 20)
        env = dict(base, WAYLAND_DISPLAY="orvane-test", QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
        err_path = os.path.join(root, "orvane.err")
        app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate", "--app-dir", app_dir(root)],
                               env=env, stdout=subprocess.DEVNULL, stderr=open(err_path, "w"))

        def log():
            if app.poll() is not None:
                fail("orvane ended early with status %s:\n%s" % (app.returncode, open(err_path).read()[-3000:]))
            return open(err_path, errors="replace").read()

        wait_for("the window to map", lambda: mapped(log()), 30)
        text = log()
        if "xdg_toplevel" not in text or 'set_app_id("orvane")' not in text:
            fail("the window is not an xdg toplevel named orvane")
        for sign in ("could not connect to display", "xcb", "XOpenDisplay"):
            if sign.lower() in text.lower():
                fail("something reached for X11: " + sign)

        app.send_signal(signal.SIGTERM)
        try:
            status = app.wait(timeout=20)
        except subprocess.TimeoutExpired:
            fail("orvane did not quit on SIGTERM")
        if status != 0:
            fail("orvane quit with status %d" % status)
        if not os.path.exists(os.path.join(root, "app", "config", "config.ini")):
            fail("the settings were not written")
        print("wayland: the window mapped natively and the program quit cleanly")
        return 0
    finally:
        if app and app.poll() is None:
            app.kill()
        weston.terminate()
        try:
            weston.wait(timeout=10)
        except subprocess.TimeoutExpired:
            weston.kill()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
