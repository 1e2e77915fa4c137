#!/usr/bin/env python3
"""End-to-end checks of the focus watcher on a real X server: under an EWMH window manager
(openbox) every focus change between two X clients, made with xdotool, is reported with the
program's name, class and executable, and the running programs are listed with their titles;
without a window manager the watcher says it is unavailable.

The case app runs the program itself against its virtual mouse: profile 2 names xlogo, and the
mouse receives profile 2's polling rate within a second of xlogo taking the focus, and profile
1's again once another program has it.

usage: e2e_focus.py TRACE_PROGRAM CASE [RUNTIME_DIR]   (CASE: x11 | list | nowm | app)
"""
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time

TRACE, CASE = (sys.argv[1], sys.argv[2]) if len(sys.argv) > 2 else ("", "")
procs = []
# The class Qt gives the windows of a program called alpha.
ALPHA_CLASS = "alpha"


def fail(msg):
    print("FAIL:", msg)
    sys.exit(1)


def start(args, env, **kw):
    p = subprocess.Popen(args, env=env, **kw)
    procs.append(p)
    return p


def stop_all():
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()


def x_server():
    """A private Xvfb; returns the environment that reaches it."""
    # -noreset: an X server resets when its last client leaves, and refuses clients meanwhile;
    # a probe (xdotool, xprop) that comes and goes before the next client starts would
    # otherwise make that client fail to open the display now and then.
    p = start(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"], os.environ,
              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = p.stdout.readline().decode().strip()
    if not line:
        fail("Xvfb did not start")
    home = tempfile.mkdtemp(prefix="orvane-focus-")
    env = dict(os.environ)
    env.update({"DISPLAY": ":" + line, "QT_QPA_PLATFORM": "xcb", "HOME": home,
                "XDG_CONFIG_HOME": os.path.join(home, "config"), "XDG_RUNTIME_DIR": home})
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    return env


def xdotool(env, *args):
    r = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=10)
    return r.stdout.strip() if r.returncode == 0 else ""


def wait_for(what, fn, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        v = fn()
        if v:
            return v
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def window_manager(env):
    start(["openbox", "--sm-disable"], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # openbox is ready once it names itself on the root window and says it keeps
    # _NET_ACTIVE_WINDOW up to date.
    def root(prop):
        return subprocess.run(["xprop", "-root", prop], env=env, capture_output=True, text=True, timeout=10).stdout
    wait_for("openbox", lambda: "window id #" in root("_NET_SUPPORTING_WM_CHECK")
             and "_NET_ACTIVE_WINDOW" in root("_NET_SUPPORTED"))


def client(env, program):
    """Starts an X client that names no process (xlogo, an Xt program) and returns its window
    id: the watcher knows it by its class alone."""
    search = ["--class", program]
    known = set(xdotool(env, "search", "--onlyvisible", *search).split())
    start([program], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    def new_window():
        found = [w for w in xdotool(env, "search", "--onlyvisible", *search).split() if w not in known]
        return found[0] if found else None
    return wait_for(program + " window", new_window)


def window_program(name):
    """A program of its own name (a copy of the trace program) that shows one window titled
    name and names its process: the watcher knows it by its executable."""
    path = os.path.join(tempfile.mkdtemp(prefix="orvane-focus-bin-"), name)
    shutil.copy(TRACE, path)
    return path


def window_client(env, path):
    p = start([path, "window", os.path.basename(path)], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return wait_for(path + " window", lambda: xdotool(env, "search", "--onlyvisible", "--pid", str(p.pid)).split("\n")[0])


class Trace:
    """orvane-focus-trace watch, its lines read as they come."""

    def __init__(self, env):
        self.proc = start([TRACE, "watch", "60"], env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))

    def next(self, what, timeout=5.0):
        try:
            return self.lines.get(timeout=timeout)
        except queue.Empty:
            fail("no line from the watcher: expected " + what)

    def expect_focus(self, name, cls, exe):
        # Focus may pass through the window manager's own windows on the way (no program).
        end = time.time() + 5
        seen = []
        while time.time() < end:
            line = self.next(name)
            seen.append(line)
            if line == "focus %s\t%s\t%s" % (name, cls, exe):
                return
            if line != "focus \t\t":
                fail("unexpected focus report %r while waiting for %s (seen %r)" % (line, name, seen))
        fail("no focus report of %s (seen %r)" % (name, seen))


def case_x11():
    env = x_server()
    window_manager(env)
    trace = Trace(env)
    if trace.next("availability") != "available":
        fail("the watcher is not available under openbox")
    alpha = window_program("alpha")
    alpha_win = window_client(env, alpha)
    logo_win = client(env, "xlogo")
    for _ in range(2):
        xdotool(env, "windowactivate", "--sync", alpha_win)
        trace.expect_focus("alpha", ALPHA_CLASS, alpha)
        xdotool(env, "windowactivate", "--sync", logo_win)
        trace.expect_focus("XLogo", "XLogo", "")
    # A window of the same program taking focus is no change of program: whatever the window
    # manager passes focus through on the way, no report repeats the one before it.
    logo2_win = client(env, "xlogo")
    xdotool(env, "windowactivate", "--sync", logo_win)
    xdotool(env, "windowactivate", "--sync", logo2_win)
    xdotool(env, "windowactivate", "--sync", logo_win)
    time.sleep(0.5)
    seen = ["focus XLogo\tXLogo\t"]
    while not trace.lines.empty():
        seen.append(trace.lines.get())
    if any(a == b for a, b in zip(seen, seen[1:])) or seen[-1] != "focus XLogo\tXLogo\t":
        fail("focus among the windows of one program: %r" % seen)
    # The focused program goes away: focus is elsewhere, or nowhere.
    xdotool(env, "windowactivate", "--sync", alpha_win)
    trace.expect_focus("alpha", ALPHA_CLASS, alpha)
    xdotool(env, "windowkill", alpha_win)
    line = trace.next("the end of alpha")
    if line.startswith("focus alpha") or not line.startswith("focus "):
        fail("after alpha closed: %r" % line)
    trace.proc.stdin.close()
    if trace.proc.wait(10) != 0:
        fail("the watcher did not end cleanly")


def case_list():
    env = x_server()
    window_manager(env)
    client(env, "xlogo")
    client(env, "xlogo")
    alpha = window_program("alpha")
    window_client(env, alpha)
    out = subprocess.run([TRACE, "list"], env=env, capture_output=True, text=True, timeout=30).stdout.splitlines()
    if not out or out[0] != "available":
        fail("list: %r" % out)
    programs = sorted(out[1:])
    # One entry per program; the icon is the picture nearest above 32 px the window offers.
    expected = sorted(["program XLogo\tXLogo\t\txlogo", "program alpha\t%s\t%s\talpha\t40x40" % (ALPHA_CLASS, alpha)])
    # Whether xlogo has an icon is the window manager's business.
    programs = sorted(p if not p.startswith("program XLogo") else p.rsplit("\t", 1)[0] for p in programs)
    if programs != expected:
        fail("programs listed: %r, expected %r" % (programs, expected))


def case_nowm():
    env = x_server()
    client(env, "xlogo")
    out = subprocess.run([TRACE, "watch", "1"], env=env, capture_output=True, text=True, timeout=30).stdout.splitlines()
    # Nothing has focus as far as the watcher can tell.
    if not out or out[0] != "unavailable" or any(line != "focus \t\t" for line in out[1:]):
        fail("without a window manager: %r" % out)


def polling_frames(trace, start):
    """The polling-rate frames written to the mouse since offset start of the trace: their interval
    bytes (1 ms for 1000 Hz, 4 ms for 250 Hz)."""
    if not os.path.exists(trace):
        return []
    with open(trace) as f:
        text = f.read()[start:]
    return [l.split()[10] for l in text.splitlines() if " SET " in l and l.split()[5:6] == ["07"] and l.split()[10:11]]


def case_app():
    runtime = sys.argv[3]
    env = x_server()
    window_manager(env)
    appdir = tempfile.mkdtemp(prefix="orvane-follow-")
    os.symlink(os.path.join(runtime, "skins"), os.path.join(appdir, "skins"))
    config = os.path.join(appdir, "config")
    os.mkdir(config)
    for f in os.listdir(os.path.join(runtime, "config")):
        if f.startswith("Lan") and f.endswith(".txt"):
            shutil.copy(os.path.join(runtime, "config", f), os.path.join(config, f))
    ctl = os.path.join(runtime, "orvanectl")
    for command in (["profile", "programs", "2", "add", "xlogo"], ["profile", "select", "2"], ["set", "polling", "250"],
                    ["profile", "select", "1"], ["set", "polling", "1000"]):
        r = subprocess.run([ctl, "--simulate", "--app-dir", appdir, *command], env=env, capture_output=True,
                           text=True, timeout=60)
        if r.returncode != 0:
            fail("orvanectl %s: %s" % (" ".join(command), r.stdout + r.stderr))
    alpha_win = window_client(env, window_program("alpha"))
    logo_win = client(env, "xlogo")
    xdotool(env, "windowactivate", "--sync", alpha_win)
    trace = os.path.join(appdir, "trace.txt")
    app_env = dict(env, ORVANE_APP_DIR=appdir, ORVANE_TRACE=trace)
    start([os.path.join(runtime, "orvane"), "--simulate"], app_env, stdout=subprocess.DEVNULL,
          stderr=subprocess.DEVNULL)
    wait_for("the main window", lambda: xdotool(env, "search", "--onlyvisible", "--name", "Orvane"))
    time.sleep(2.0)  # start-up traffic
    xdotool(env, "windowactivate", "--sync", alpha_win)
    time.sleep(1.0)
    mark = os.path.getsize(trace) if os.path.exists(trace) else 0
    if polling_frames(trace, 0) and polling_frames(trace, mark):
        fail("polling frames while an unlisted program had the focus")
    xdotool(env, "windowactivate", "--sync", logo_win)
    listed = wait_for("profile 2's polling frame after xlogo took the focus", lambda: polling_frames(trace, mark), 1.5)
    time.sleep(0.5)
    mark = os.path.getsize(trace)
    xdotool(env, "windowactivate", "--sync", alpha_win)
    back = wait_for("profile 1's polling frame after alpha took the focus", lambda: polling_frames(trace, mark), 1.5)
    print("polling values: listed %r, back %r" % (listed, back))
    if listed[-1] != "04" or back[-1] != "01":
        fail("polling intervals sent: %r for xlogo's profile 2 (4 ms expected), %r back in profile 1 (1 ms)"
             % (listed, back))
    shutil.rmtree(appdir, ignore_errors=True)


def main():
    cases = {"x11": case_x11, "list": case_list, "nowm": case_nowm, "app": case_app}
    if CASE not in cases:
        fail("unknown case " + CASE)
    try:
        cases[CASE]()
    finally:
        stop_all()
    print("PASS")


if __name__ == "__main__":
    main()
