#!/usr/bin/env python3
"""The real orvane build as a screen reader sees it: under Xvfb, with a private session bus and
the AT-SPI registry, an AT-SPI client walks the main window's accessible tree and fails if a
control showing lacks a role or a name; it reads the polling slider's value and changes it
through the accessible value interface (the 07 frame must reach the virtual mouse); then, with
keys alone (xdotool), it opens button 4's assignment menu and chooses "Volume up" (80 E9 00).

usage: e2e_a11y.py BIN_DIR
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_app  # noqa: E402  (Display, app_dir, xdotool, find_window, wait_for, fail)
from e2e_app import Display, app_dir, fail, find_window, wait_for, xdotool  # noqa: E402

BIN = sys.argv[1] if len(sys.argv) > 1 else ""
e2e_app.BIN = BIN
# Positions as the window counts them: button 4's row; the multimedia item (11th) of the
# assignment menu, which opens with nothing chosen, and "Volume up" (7th) of the multimedia
# menu, which opens on its first item.
BUTTON_NAME = "Button 4"
MULTIMEDIA_DOWNS = 11
VOLUME_UP_DOWNS = 6


def atspi():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    return Atspi


def our_app(Atspi):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and "orvane" in (app.get_name() or "").lower():
            return app
    return None


def main_window(Atspi):
    app = our_app(Atspi)
    if app is None:
        return None
    for i in range(app.get_child_count()):
        w = app.get_child_at_index(i)
        if w is not None and w.get_child_count() > 20:
            return w
    return None


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def showing(Atspi, node):
    states = node.get_state_set()
    return states.contains(Atspi.StateType.SHOWING) or states.contains(Atspi.StateType.VISIBLE)


def trace_since(trace, offset):
    return open(trace).read()[offset:] if os.path.exists(trace) else ""


def set_frames(text, command):
    return [l for l in text.splitlines() if " SET " in l and l.split()[5:6] == [command]]


def focused_name(Atspi, window):
    for c in children(window):
        if c.get_state_set().contains(Atspi.StateType.FOCUSED):
            return c.get_name()
    return None


def run():
    Atspi = atspi()
    display, appdir = Display(), app_dir()
    trace = os.path.join(appdir, "trace.txt")
    env = e2e_app.env_for(display, appdir, ORVANE_TRACE=trace, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                          QT_ACCESSIBILITY="1", NO_AT_BRIDGE="0")
    # The private session bus carries the accessibility bus's address.
    env["DBUS_SESSION_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"]
    os.environ["DISPLAY"] = display.name
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        window = wait_for("the main window in the accessible tree", lambda: main_window(Atspi), 20)
        time.sleep(1.0)  # start-up traffic

        # Every control showing has a role and a name.
        items = children(window)
        print("accessible items:", len(items))
        for c in items:
            if not showing(Atspi, c):
                continue
            role = c.get_role()
            name = c.get_name() or ""
            if role in (Atspi.Role.INVALID, Atspi.Role.UNKNOWN) or not name.strip():
                fail("a control lacks a role or a name: role %s name %r" % (c.get_role_name(), name))

        # The polling slider: read its value, then set it as a reader does.
        sliders = [c for c in items if c.get_role() == Atspi.Role.SLIDER and c.get_name() == "Polling rate"]
        if not sliders:
            fail("no polling slider in the tree")
        slider = sliders[0]
        value = slider if hasattr(slider, "get_current_value") else slider.get_value_iface()
        current = value.get_current_value()
        print("polling slider value:", current, "of", value.get_maximum_value())
        target = 0.0 if current >= 1 else 2.0
        before = len(trace_since(trace, 0))
        value.set_current_value(target)
        frames = wait_for("the polling frame after the reader's change",
                          lambda: set_frames(trace_since(trace, before), "07"), 10)
        print("polling frames:", frames)
        wait_for("the slider's new value", lambda: value.get_current_value() == target, 5)
        time.sleep(1.5)  # the progress dialog of the write closes

        # Keys alone: Tab to button 4's row, Enter, Down to Multimedia, Right, Down to Volume up, Enter.
        xdotool(env, "windowactivate", "--sync", win)
        xdotool(env, "windowfocus", "--sync", win)
        for _ in range(60):
            if focused_name(Atspi, window) == BUTTON_NAME:
                break
            xdotool(env, "key", "Tab")
            time.sleep(0.05)
        if focused_name(Atspi, window) != BUTTON_NAME:
            fail("Tab never reached " + BUTTON_NAME)
        before = len(trace_since(trace, 0))
        xdotool(env, "key", "Return")
        time.sleep(0.5)
        for _ in range(MULTIMEDIA_DOWNS):
            xdotool(env, "key", "Down")
            time.sleep(0.05)
        xdotool(env, "key", "Right")
        time.sleep(0.5)
        for _ in range(VOLUME_UP_DOWNS):
            xdotool(env, "key", "Down")
            time.sleep(0.05)
        xdotool(env, "key", "Return")
        frames = wait_for("the button frame of Volume up",
                          lambda: [l for l in trace_since(trace, before).splitlines()
                                   if " SET wired " in l and l.split()[5:6] == ["04"]
                                   and l.split()[10:14] == ["03", "80", "E9", "00"]], 10)
        print("button frames:", frames)
    finally:
        app.terminate()
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()
        display.close()


if __name__ == "__main__":
    if os.environ.get("ORVANE_A11Y_INNER") != "1":
        # Again, inside a private session bus: the accessibility bus and registry start on it.
        env = dict(os.environ, ORVANE_A11Y_INNER="1")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        sys.exit(subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), BIN],
                                env=env, timeout=120).returncode)
    run()
