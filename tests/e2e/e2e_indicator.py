#!/usr/bin/env python3
"""The DPI indicator of the real build. `orvane --simulate --simulate-input` takes the virtual
mouse's commands on its standard input; "dpi 1" presses its DPI button.

  window        under Xvfb: a small window named after the level maps without taking the focus,
                shows the level's colour, is replaced by a second change and goes away by itself
  notification  under weston (Wayland, where no program may place such a window): a transient
                desktop notification on a private session bus with dunst as the service, the
                second replacing the first

usage: e2e_indicator.py BIN_DIR CASE
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_app as e2e  # noqa: E402  (the display, folder and xdotool helpers)

BIN, CASE = (sys.argv[1], sys.argv[2]) if len(sys.argv) > 2 else ("", "")
e2e.BIN = BIN
fail, wait_for = e2e.fail, e2e.wait_for
LEVEL1_COLOUR = (0xFF, 0x00, 0x00)  # the default colour of level 1 (red), as R, G, B
# The virtual mouse starts on level 2, so the presses go to levels 1 and 3.


def start(env, extra_args=()):
    return subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate", "--simulate-input", *extra_args],
                            env=env, stdin=subprocess.PIPE, text=True)


def press(app, command):
    app.stdin.write(command + "\n")
    app.stdin.flush()


def stop(app):
    try:
        app.stdin.close()
    except OSError:
        pass
    app.terminate()
    try:
        app.wait(10)
    except subprocess.TimeoutExpired:
        app.kill()


def indicator_windows(env, name):
    return e2e.xdotool(env, "search", "--onlyvisible", "--name", name).split()


def has_colour(shot, rgb):
    width, height, bpl, data = shot
    want = bytes((rgb[2], rgb[1], rgb[0]))  # xwd's 32-bit pixels are B, G, R, x
    bpp = bpl // width
    return any(data[y * bpl + x * bpp:y * bpl + x * bpp + 3] == want for y in range(height) for x in range(width))


def case_window():
    display, appdir = e2e.Display(), e2e.app_dir()
    env = e2e.env_for(display, appdir)
    app = start(env)
    try:
        main = wait_for("the main window", lambda: e2e.find_window(env))
        time.sleep(1.0)  # start-up traffic
        e2e.xdotool(env, "windowactivate", "--sync", main)
        focused = e2e.xdotool(env, "getwindowfocus")
        press(app, "dpi 1")
        wins = wait_for("the indicator of level 1", lambda: indicator_windows(env, "DPI level 1"), 5)
        if len(wins) != 1:
            fail("%d indicator windows" % len(wins))
        win = wins[0]
        name = e2e.xdotool(env, "getwindowname", win)
        if not re.search(r"DPI level 1, \d+ DPI$", name):
            fail("the indicator says %r" % name)
        m = re.search(r"Geometry: (\d+)x(\d+)", e2e.xdotool(env, "getwindowgeometry", win))
        if not m or int(m.group(1)) > 400 or int(m.group(2)) > 200:
            fail("the indicator is not small: %s" % (m.group(0) if m else "no geometry"))
        if not has_colour(e2e.window_pixels(env, win), LEVEL1_COLOUR):
            fail("the indicator does not show the level's colour")
        if e2e.xdotool(env, "getwindowfocus") != focused:
            fail("the indicator took the focus")
        # A click on it reaches what lies below: it is never the window under the pointer.
        xy = re.search(r"Position: (\d+),(\d+)", e2e.xdotool(env, "getwindowgeometry", win))
        e2e.xdotool(env, "mousemove", str(int(xy.group(1)) + 20), str(int(xy.group(2)) + 20))
        if e2e.xdotool(env, "getmouselocation", "--shell").find("WINDOW=%s" % win) >= 0:
            fail("the indicator is under the pointer: clicks would not pass through it")
        print("indicator:", name)

        press(app, "dpi 3")
        wait_for("the indicator of level 3", lambda: indicator_windows(env, "DPI level 3"), 5)
        if indicator_windows(env, "DPI level 1"):
            fail("the second change stacked a second indicator")
        if indicator_windows(env, "Velmira Orvane DPI") != indicator_windows(env, "DPI level 3"):
            fail("more than one indicator window is mapped")
        wait_for("the indicator to go away", lambda: not indicator_windows(env, "Velmira Orvane DPI"), 5)
        print("the second change replaced the first; the indicator went away by itself")
    finally:
        stop(app)
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def messages(text):
    """dbus-monitor's output as one dict per message: kind, header fields, member and body."""
    out = []
    for block in re.split(r"\n(?=\S)", text):
        m = re.match(r"(method call|method return|signal|error) (.*)", block)
        if not m:
            continue
        head, _, body = block.partition("\n")
        fields = dict(re.findall(r"(\w+)=([^ ;]+)", head))
        out.append({"kind": m.group(1), "member": fields.get("member", ""), "serial": fields.get("serial"),
                    "reply_serial": fields.get("reply_serial"), "sender": fields.get("sender"),
                    "destination": fields.get("destination"), "body": body})
    return out


def case_notification():
    for tool in ("weston", "dunst", "dbus-monitor", "dbus-run-session", "Xvfb"):
        if not shutil.which(tool):
            print(tool, "is not installed (scripts/install-deps)")
            return 77
    if os.environ.get("ORVANE_IN_SESSION") != "1":
        # Everything below runs on a bus of its own, gone with it.
        env = dict(os.environ, ORVANE_IN_SESSION="1")
        return subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), BIN, CASE],
                              env=env, timeout=100).returncode
    root = tempfile.mkdtemp(prefix="orvane-notify-")
    runtime = os.path.join(root, "runtime")
    os.makedirs(runtime, mode=0o700)
    display = e2e.Display()  # dunst draws its bubbles on X11
    base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "ORVANE_APP_DIR")}
    base["XDG_RUNTIME_DIR"] = runtime
    procs = []
    try:
        monitor_log = open(os.path.join(root, "monitor.txt"), "w")
        procs.append(subprocess.Popen(["dbus-monitor", "--session",
                                       "interface='org.freedesktop.Notifications'",
                                       "type='method_return'"], env=base, stdout=monitor_log,
                                      stderr=subprocess.DEVNULL))
        procs.append(subprocess.Popen(["dunst"], env=dict(base, DISPLAY=display.name),
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # Asked by listing names: a call to the service would start one by activation instead.
        wait_for("dunst on the bus", lambda: '"org.freedesktop.Notifications"' in subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.ListNames"], env=base, capture_output=True, text=True).stdout, 10)
        procs.append(subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=orvane-test",
                                       "--idle-time=0", "--no-config"], env=base, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
        wait_for("weston's socket", lambda: os.path.exists(os.path.join(runtime, "orvane-test")), 20)
        appdir = e2e.app_dir()
        env = dict(base, WAYLAND_DISPLAY="orvane-test", QT_QPA_PLATFORM="wayland", ORVANE_APP_DIR=appdir,
                   XDG_CONFIG_HOME=os.path.join(appdir, "xdg"))
        app = start(env)
        try:
            time.sleep(3.0)  # start-up traffic; the window maps
            if app.poll() is not None:
                fail("orvane ended early with status %s" % app.returncode)
            press(app, "dpi 1")

            def log():
                monitor_log.flush()
                return messages(open(monitor_log.name).read())

            def ours(level):
                return [m for m in log() if m["member"] == "Notify" and '"DPI level %d"' % level in m["body"]]

            wait_for("the notification of level 1", lambda: ours(1), 10)
            time.sleep(0.5)  # its answer: the id the next one replaces
            press(app, "dpi 3")
            wait_for("the notification of level 3", lambda: ours(3), 10)
            time.sleep(0.5)
            first, second = ours(1)[0], ours(3)[0]
            for m in (first, second):
                if not re.search(r'string "\d+ DPI"', m["body"]):
                    fail("the notification does not say the DPI value:\n" + m["body"])
                for hint in ('string "transient"', 'string "x-dunst-stack-tag"',
                             'string "x-canonical-private-synchronous"'):
                    if hint not in m["body"]:
                        fail("the notification lacks the hint %s:\n%s" % (hint, m["body"]))
                if not re.search(r"\bint32 1500\s*$", m["body"]):
                    fail("the notification does not expire by itself soon:\n" + m["body"])
            replaces = [re.search(r'string "Velmira Orvane"\s+uint32 (\d+)', m["body"]).group(1) for m in (first, second)]
            answer = [m for m in log() if m["kind"] == "method return" and m["reply_serial"] == first["serial"]
                      and m["destination"] == first["sender"]]
            if not answer:
                fail("the notification service never answered the first notification")
            first_id = re.search(r"uint32 (\d+)", answer[0]["body"]).group(1)
            if replaces[0] != "0":
                fail("the first notification replaces another (%s)" % replaces[0])
            if replaces[1] != first_id:
                fail("the second notification replaces %s, not the first (%s)" % (replaces[1], first_id))
            returns = [first_id]
            print("two transient notifications, the second replacing the first (id %s)" % returns[0])
        finally:
            stop(app)
            shutil.rmtree(appdir, ignore_errors=True)
    finally:
        for p in reversed(procs):
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
        display.close()
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    result = {"window": case_window, "notification": case_notification}[CASE]()
    sys.exit(result or 0)
