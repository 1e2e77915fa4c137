#!/usr/bin/env python3
"""The focus watcher on a wlroots compositor: sway runs headless, two Wayland clients (copies of
the trace program, so their app_ids are their file names) take the focus in turn by swaymsg, and
the watcher reports each program by its app_id; the running programs list both, once each.

The case app runs the program itself on Wayland against its virtual mouse: profile 2 names beta,
and the mouse receives profile 2's polling rate within a second of beta taking the focus, nothing
while Orvane's own window has it, and profile 1's again once alpha has it.

sway refuses to run as root, which the test machines are: there the compositor alone runs as
the user nobody, in a folder of its own; the clients reach its socket by its full path.

usage: wayland_focus.py TRACE_PROGRAM CASE [BIN_DIR]   (CASE: focus | list | app)
"""
import glob
import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2e_focus as focus  # noqa: E402  (the trace reader, the program copies, the mouse's frames)

TRACE, CASE = (sys.argv[1], sys.argv[2]) if len(sys.argv) > 2 else ("", "")
fail, wait_for, start = focus.fail, focus.wait_for, focus.start

SWAY_CONFIG = """\
xwayland disable
output HEADLESS-1 resolution 1280x1024
focus_follows_mouse no
default_border none
"""


def as_compositor_user():
    """What sway needs to start when we are root: an unprivileged user, and its ids."""
    if os.geteuid() != 0:
        return None, None
    user = pwd.getpwnam("nobody")

    def drop():
        os.setgroups([])
        os.setgid(user.pw_gid)
        os.setuid(user.pw_uid)
    return drop, user


class Sway:
    """A headless sway of its own; env reaches it as a Wayland client and through swaymsg."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="orvane-sway-")
        drop, user = as_compositor_user()
        home = os.path.join(self.root, "sway")
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        config = os.path.join(home, "config")
        with open(config, "w") as f:
            f.write(SWAY_CONFIG)
        if user:
            os.chmod(self.root, 0o755)
            for path in (home, runtime, config):
                os.chown(path, user.pw_uid, user.pw_gid)
        sway_env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": home, "XDG_RUNTIME_DIR": runtime,
                    "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        self.log = os.path.join(self.root, "sway.log")
        self.proc = start(["sway", "-c", config], sway_env, stdout=subprocess.DEVNULL,
                          stderr=open(self.log, "w"), preexec_fn=drop)

        def sockets():
            if self.proc.poll() is not None:
                fail("sway ended with status %s:\n%s" % (self.proc.returncode, self.log_text()))
            display = [p for p in glob.glob(os.path.join(runtime, "wayland-*")) if not p.endswith(".lock")]
            ipc = glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))
            return (display[0], ipc[0]) if display and ipc else None
        display, ipc = wait_for("sway's sockets", sockets, 20)
        client_runtime = os.path.join(self.root, "client")
        os.makedirs(client_runtime, mode=0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "ORVANE_APP_DIR")}
        self.env.update({"WAYLAND_DISPLAY": display, "SWAYSOCK": ipc, "XDG_RUNTIME_DIR": client_runtime,
                         "QT_QPA_PLATFORM": "wayland", "HOME": client_runtime,
                         "XDG_CONFIG_HOME": os.path.join(client_runtime, "config")})
        wait_for("sway's answer", lambda: self.msg("-t", "get_version") is not None, 10)

    def log_text(self):
        with open(self.log, errors="replace") as f:
            return f.read()[-3000:]

    def msg(self, *args):
        r = subprocess.run(["swaymsg", *args], env=self.env, capture_output=True, text=True, timeout=10)
        return r.stdout if r.returncode == 0 else None

    def focus(self, criteria):
        """Focuses the window sway finds by criteria: an app_id, or a con_id (a number)."""
        what = "con_id=%d" % criteria if isinstance(criteria, int) else "app_id=\"^%s$\"" % criteria
        if self.msg("[%s] focus" % what) is None:
            fail("swaymsg could not focus %s" % criteria)

    def windows(self, app_id):
        """The con_ids of the windows sway shows with that app_id."""
        found = []

        def walk(node):
            if node.get("app_id") == app_id:
                found.append(node["id"])
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)
        walk(json.loads(self.msg("-t", "get_tree") or "{}"))
        return found


def window_client(sway, name, trace=None):
    """A Wayland client whose app_id is name, and that shows one window titled name; with a
    trace, waits until the watcher reports it (a new window takes the focus)."""
    path = focus.window_program(name)
    before = sway.windows(name)
    start([path, "window", name], sway.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    new = wait_for(name + "'s window", lambda: [w for w in sway.windows(name) if w not in before])
    if trace:
        expect(trace, "focus %s\t%s\t" % (name, name))
    return new[0]


def expect(trace, line):
    """The watcher's next report is line: a move of the focus is one report, without the moment
    in between where the window losing it is no longer active and the other not yet."""
    got = trace.next(line)
    if got != line:
        fail("the watcher reported %r, expected %r" % (got, line))


def quiet(trace, what):
    time.sleep(0.7)
    if not trace.lines.empty():
        fail("a report after %s: %r" % (what, trace.lines.get()))


def case_focus(sway):
    trace = focus.Trace(sway.env)
    if trace.next("availability") != "available":
        fail("the watcher is not available under sway")
    expect(trace, "focus \t\t")  # nothing has the focus yet
    window_client(sway, "alpha", trace)
    beta = window_client(sway, "beta", trace)
    for _ in range(2):
        sway.focus("alpha")
        expect(trace, "focus alpha\talpha\t")
        sway.focus("beta")
        expect(trace, "focus beta\tbeta\t")
    # A second window of beta, and the focus moving between beta's windows: no change of program.
    window_client(sway, "beta")
    quiet(trace, "a second window of beta took the focus")
    sway.focus(beta)
    quiet(trace, "the focus moved between beta's windows")
    sway.focus("alpha")
    expect(trace, "focus alpha\talpha\t")
    # Focus on an empty workspace: no program has it.
    if sway.msg("workspace", "9") is None:
        fail("swaymsg could not switch the workspace")
    expect(trace, "focus \t\t")
    if sway.msg("workspace", "1") is None:
        fail("swaymsg could not switch back")
    expect(trace, "focus alpha\talpha\t")
    # The focused program goes away: the focus moves to beta, which is left.
    sway.msg("[app_id=\"^alpha$\"] kill")
    expect(trace, "focus beta\tbeta\t")
    quiet(trace, "the focus settled on beta")
    trace.proc.stdin.close()
    if trace.proc.wait(10) != 0:
        fail("the watcher did not end cleanly")


def case_list(sway):
    window_client(sway, "alpha")
    window_client(sway, "beta")
    window_client(sway, "beta")
    out = subprocess.run([TRACE, "list"], env=sway.env, capture_output=True, text=True, timeout=30).stdout.splitlines()
    if not out or out[0] != "available":
        fail("list: %r" % out)
    # One entry per program, with a window's title; Wayland tells clients no icons.
    expected = ["program alpha\talpha\t\talpha\t-", "program beta\tbeta\t\tbeta\t-"]
    if sorted(out[1:]) != expected:
        fail("programs listed: %r, expected %r" % (sorted(out[1:]), expected))


def case_app(sway):
    runtime = sys.argv[3]
    appdir = tempfile.mkdtemp(prefix="orvane-follow-")
    os.symlink(os.path.join(runtime, "skins"), os.path.join(appdir, "skins"))
    config = os.path.join(appdir, "config")
    os.mkdir(config)
    for f in os.listdir(os.path.join(runtime, "config")):
        if f.startswith("Lan") and f.endswith(".txt"):
            shutil.copy(os.path.join(runtime, "config", f), os.path.join(config, f))
    ctl = os.path.join(runtime, "orvanectl")
    for command in (["profile", "programs", "2", "add", "beta"], ["profile", "select", "2"], ["set", "polling", "250"],
                    ["profile", "select", "1"], ["set", "polling", "1000"]):
        r = subprocess.run([ctl, "--simulate", "--app-dir", appdir, *command], env=sway.env, capture_output=True,
                           text=True, timeout=60)
        if r.returncode != 0:
            fail("orvanectl %s: %s" % (" ".join(command), r.stdout + r.stderr))
    window_client(sway, "alpha")
    window_client(sway, "beta")
    sway.focus("alpha")
    trace = os.path.join(appdir, "trace.txt")
    app_env = dict(sway.env, ORVANE_APP_DIR=appdir, ORVANE_TRACE=trace)
    start([os.path.join(runtime, "orvane"), "--simulate"], app_env, stdout=subprocess.DEVNULL,
          stderr=subprocess.DEVNULL)
    own = wait_for("the main window", lambda: sway.windows("orvane"), 30)[0]
    time.sleep(2.0)  # start-up traffic
    sway.focus("alpha")
    time.sleep(1.0)
    mark = os.path.getsize(trace) if os.path.exists(trace) else 0
    if focus.polling_frames(trace, 0) and focus.polling_frames(trace, mark):
        fail("polling frames while an unlisted program had the focus")
    sway.focus("beta")
    listed = wait_for("profile 2's polling frame after beta took the focus",
                      lambda: focus.polling_frames(trace, mark), 1.5)
    # Looking at Orvane's own window is no move to another program: profile 2 stays.
    time.sleep(0.5)
    mark = os.path.getsize(trace)
    sway.focus(own)
    time.sleep(1.0)
    if focus.polling_frames(trace, mark):
        fail("polling frames after Orvane's own window took the focus: %r" % focus.polling_frames(trace, mark))
    sway.focus("alpha")
    back = wait_for("profile 1's polling frame after alpha took the focus",
                    lambda: focus.polling_frames(trace, mark), 1.5)
    print("polling values: listed %r, back %r" % (listed, back))
    if listed[-1] != "04" or back[-1] != "01":
        fail("polling intervals sent: %r for beta's profile 2 (4 ms expected), %r back in profile 1 (1 ms)"
             % (listed, back))
    shutil.rmtree(appdir, ignore_errors=True)


def main():
    cases = {"focus": case_focus, "list": case_list, "app": case_app}
    if CASE not in cases:
        fail("unknown case " + CASE)
    if not shutil.which("sway") or not shutil.which("swaymsg"):
        print("sway is not installed (scripts/install-deps)")
        return 77
    # Every temporary folder of the case (the compositor's, the program copies, the program's
    # settings) goes under one, removed at the end; the compositor's user must pass through it.
    top = tempfile.mkdtemp(prefix="orvane-wayland-focus-")
    os.chmod(top, 0o755)
    tempfile.tempdir = top
    try:
        cases[CASE](Sway())
    finally:
        focus.stop_all()
        shutil.rmtree(top, ignore_errors=True)
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
