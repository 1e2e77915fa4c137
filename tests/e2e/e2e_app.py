#!/usr/bin/env python3
"""End-to-end checks of the real orvane build under Xvfb: a click on the polling slider reaches
the virtual mouse, the tray icon and a second start bring the hidden window back, a screenshot
is written, and the window answers a click while a long pass writes macros to the mouse and ends in
the middle of it, saving what was pending.

usage: e2e_app.py BIN_DIR CASE   (CASE: slider | tray | second | firststart | notray | screenshot | shared | livepass)
"""
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

BIN, CASE = (sys.argv[1], sys.argv[2]) if len(sys.argv) > 2 else ("", "")
TITLE = "Velmira Orvane"


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


class Display:
    """A private Xvfb server."""

    def __init__(self, screen="1280x1024x24"):
        # -noreset: an X server resets when its last client leaves, and refuses clients meanwhile;
        # a probe (xdotool, xprop) that comes and goes before the next client starts would
        # otherwise make that client fail to open the display now and then.
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        line = self.proc.stdout.readline().decode().strip()
        if not line:
            fail("Xvfb did not start")
        self.name = ":" + line

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def app_dir():
    """A throw-away application folder as the README describes one: the built skins and the
    language files, fresh settings, nothing else."""
    d = tempfile.mkdtemp(prefix="orvane-e2e-")
    os.symlink(os.path.join(BIN, "skins"), os.path.join(d, "skins"))
    os.mkdir(os.path.join(d, "config"))
    cfg = os.path.join(BIN, "config")
    for f in os.listdir(cfg):
        if f == "MacroLibraryFile.mlf" or (f.startswith("Lan") and f.endswith(".txt")):
            shutil.copy(os.path.join(cfg, f), os.path.join(d, "config", f))
    choose_english(os.path.join(d, "config"))
    return d


def choose_english(config):
    """The language selector of a user who chose English, whatever the machine's locale."""
    with open(os.path.join(config, "LanSetting.ini"), "wb") as f:
        f.write("\ufeff[ChangeLanguage]\nLanguage=EN\n".encode("utf-16-le"))


def env_for(display, appdir, **extra):
    env = dict(os.environ)
    env.update({"DISPLAY": display.name, "QT_QPA_PLATFORM": "xcb", "ORVANE_APP_DIR": appdir,
                "XDG_RUNTIME_DIR": appdir, "XDG_CONFIG_HOME": os.path.join(appdir, "xdg")})
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)  # no StatusNotifier host: the XEmbed tray is used
    env.update(extra)
    return env


def xdotool(env, *args):
    r = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True)
    return r.stdout.strip() if r.returncode == 0 else ""


def find_window(env):
    """The main window: the notices carry the same title but are much smaller."""
    for wid in xdotool(env, "search", "--onlyvisible", "--name", TITLE).split():
        m = re.search(r"Geometry: (\d+)x(\d+)", xdotool(env, "getwindowgeometry", wid))
        if m and int(m.group(1)) >= 1000:
            return wid
    return ""


def tray_icon_centre(env):
    """The centre of our icon window embedded in trayer's panel, in root coordinates."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True, text=True).stdout
    in_panel = False
    for line in tree.splitlines():
        if '("panel" "trayer")' in line:
            in_panel = True
        elif in_panel and '("orvane"' in line:
            m = re.search(r"(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", line)
            if m:
                w, h, x, y = map(int, m.groups())
                return (x + w // 2, y + h // 2)
    return None


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + " is not a PNG")
    return struct.unpack(">II", head[16:24])


def case_slider():
    display, appdir = Display(), app_dir()
    trace = os.path.join(appdir, "trace.txt")
    env = env_for(display, appdir, ORVANE_TRACE=trace)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(1.0)  # start-up traffic
        before = open(trace).read() if os.path.exists(trace) else ""
        # The polling slider's last step, in window coordinates at scale 1.
        xdotool(env, "mousemove", "--window", win, "1026", "331")
        xdotool(env, "click", "1")

        def polling_frame():
            text = open(trace).read()[len(before):] if os.path.exists(trace) else ""
            return [l for l in text.splitlines() if " SET " in l and l.split()[3:4] and l.split()[5:6] == ["07"]]

        frames = wait_for("the polling frame in the trace", polling_frame, 5)
        print("polling frames:", frames)
        # Once the progress dialog (modal) has closed, the exit control ends the program at once,
        # and the change made less than ten seconds earlier is still saved.
        time.sleep(1.5)
        xdotool(env, "mousemove", "--window", win, "1099", "19")
        xdotool(env, "click", "1")
        try:
            code = app.wait(10)
        except subprocess.TimeoutExpired:
            fail("the exit control did not end the program")
        if code != 0:
            fail("orvane exited with %d" % code)
        raw = open(os.path.join(appdir, "config", "default0.psf"), "rb").read().decode("utf-16")
        if "1000HZ" not in raw:
            fail("the change was not saved on exit")
    finally:
        app.terminate()
        app.wait(10)
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def case_tray():
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "64",
                             "--heighttype", "pixel", "--height", "32"], env=env, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(0.5)
        # The minimise control hides the window; only the tray can bring it back.
        xdotool(env, "mousemove", "--window", win, "1079", "19")
        xdotool(env, "click", "1")
        wait_for("the window to hide", lambda: not find_window(env), 5)
        x, y = wait_for("the icon in the tray", lambda: tray_icon_centre(env), 10)
        xdotool(env, "mousemove", str(x), str(y))
        xdotool(env, "click", "1")
        wait_for("the window to come back from the tray", lambda: find_window(env), 5)
        print("tray click showed the window")
    finally:
        app.terminate()
        app.wait(10)
        tray.terminate()
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def start_tray(env):
    """trayer as the notification area, or None where it is not installed."""
    if not shutil.which("trayer"):
        return None
    tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "64",
                             "--heighttype", "pixel", "--height", "32"], env=env, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    return tray


def case_second():
    # Started from the menu with the mouse asleep, the window shows; a second start hands the
    # first one the activation request and ends, and brings back a window hidden into the tray.
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    tray = start_tray(env)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate=receiver-only,asleep"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(2.5)  # past the connection notice: the window stays
        if not find_window(env):
            fail("the window went away with the mouse asleep")
        if tray:
            xdotool(env, "mousemove", "--window", win, "1079", "19")
            xdotool(env, "click", "1")
            wait_for("the window to hide", lambda: not find_window(env), 5)
        second = subprocess.run([os.path.join(BIN, "orvane"), "--simulate"], env=env, timeout=15)
        if second.returncode != 0:
            fail("the second instance exited with %d" % second.returncode)
        wait_for("the first instance to show itself", lambda: find_window(env), 5)
        if app.poll() is not None:
            fail("the first instance ended")
        print("second start showed the first instance" + ("" if tray else " (no tray: not hidden first)"))
    finally:
        app.terminate()
        app.wait(10)
        if tray:
            tray.terminate()
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def notice_windows(env):
    return [w for w in xdotool(env, "search", "--onlyvisible", "--name", TITLE).split()
            if (m := re.search(r"Geometry: (\d+)x", xdotool(env, "getwindowgeometry", w))) and int(m.group(1)) < 1000]


def case_notray():
    # No notification area: the minimise control cannot hide the window into one, so it is never
    # withdrawn, and a notice says why.
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(0.5)
        xdotool(env, "mousemove", "--window", win, "1079", "19")
        xdotool(env, "click", "1")
        wait_for("the notice that there is no tray", lambda: notice_windows(env), 5)
        # Without a window manager nothing iconifies it, so it stays mapped; never withdrawn.
        if find_window(env) != win:
            fail("the window was hidden with no tray to bring it back from")
        print("without a tray the window stays reachable and says why")
    finally:
        app.terminate()
        app.wait(10)
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def case_firststart():
    # No mouse at all (the real device layer, nothing plugged in): a start from the menu shows the
    # window, which says so; the login entry's start (--autostart) waits in the tray instead.
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    app = subprocess.Popen([os.path.join(BIN, "orvane")], env=env, stderr=subprocess.PIPE, text=True)
    try:
        wait_for("the main window without a mouse", lambda: find_window(env))
        time.sleep(2.5)
        if not find_window(env) or app.poll() is not None:
            fail("the window did not stay up without a mouse")
        print("a start without a mouse shows the window")
    finally:
        app.terminate()
        app.wait(10)
    tray = start_tray(env)
    if not tray:
        print("trayer is not installed: the login start is not checked")
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)
        return
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--autostart"], env=env)
    try:
        time.sleep(3.0)
        if app.poll() is not None:
            fail("the login start ended")
        if find_window(env):
            fail("the login start showed the window without a mouse")
        second = subprocess.run([os.path.join(BIN, "orvane")], env=env, timeout=15)
        if second.returncode != 0:
            fail("the second instance exited with %d" % second.returncode)
        wait_for("a start from the menu to show the waiting window", lambda: find_window(env), 5)
        print("the login start waits hidden; a start from the menu shows it")
    finally:
        app.terminate()
        app.wait(10)
        tray.terminate()
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def case_screenshot():
    # At scale 1 and, on a screen wider than 3000 pixels, scale 2; from an application folder
    # holding only config/ and skins/, every picture is found (a missing one is reported).
    for screen, size in (("1280x1024x24", (1127, 740)), ("3840x2160x24", (2254, 1480))):
        display, appdir = Display(screen), app_dir()
        out = os.path.join(appdir, "shot.png")
        try:
            r = subprocess.run([os.path.join(BIN, "orvane"), "--simulate=battery=57", "--screenshot", out],
                               env=env_for(display, appdir), timeout=60, stderr=subprocess.PIPE, text=True)
            sys.stderr.write(r.stderr)
            if r.returncode != 0:
                fail("orvane --screenshot exited with %d" % r.returncode)
            if "picture" in r.stderr:
                fail("pictures missing from an application folder with config/ and skins/")
            w, h = png_size(out)
            if (w, h) != size:
                fail("screenshot is %dx%d, not %dx%d" % (w, h, *size))
            print("screenshot", w, "x", h)
        finally:
            display.close()
            shutil.rmtree(appdir, ignore_errors=True)
    # --app-dir naming an empty folder (as an autostart entry written with it may): the config is
    # seeded there with the macros, and the pictures and the texts come from the shipped folder.
    display, empty = Display(), tempfile.mkdtemp(prefix="orvane-e2e-empty-")
    try:
        env = env_for(display, empty)
        env.pop("ORVANE_APP_DIR")
        r = subprocess.run([os.path.join(BIN, "orvane"), "--simulate", "--app-dir", empty, "--screenshot",
                            os.path.join(empty, "shot.png")], env=env, timeout=60, stderr=subprocess.PIPE, text=True)
        sys.stderr.write(r.stderr)
        if r.returncode != 0 or "picture" in r.stderr or "language file" in r.stderr:
            fail("--app-dir with an empty folder: exit %d, %s" % (r.returncode, r.stderr))
        if not os.path.exists(os.path.join(empty, "config", "MacroLibraryFile.mlf")):
            fail("--app-dir with an empty folder: its config/ was not seeded")
        if os.path.exists(os.path.join(empty, "config", "Lan_EN.txt")):
            fail("--app-dir with an empty folder: a language file was copied instead of read where it is shipped")
        print("--app-dir with an empty folder draws every picture")
    finally:
        display.close()
        shutil.rmtree(empty, ignore_errors=True)


def case_shared():
    """The window and orvanectl change the same profile while the window's save is pending;
    after both, both changes are in the file."""
    display, appdir = Display(), app_dir()
    env = env_for(display, appdir)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(1.0)
        xdotool(env, "mousemove", "--window", win, "1026", "331")  # polling: 1000 Hz, saved in 10 s
        xdotool(env, "click", "1")
        time.sleep(0.5)
        r = subprocess.run([os.path.join(BIN, "orvanectl"), "--simulate", "set", "dpi", "1", "step:20"],
                           env=env, capture_output=True, text=True, timeout=60)
        if r.returncode != 0:
            fail("orvanectl failed: " + r.stdout + r.stderr)
        time.sleep(2.0)  # the window notices within a second
        app.send_signal(signal.SIGTERM)  # ends through the exit path, writing the pending save
        try:
            code = app.wait(15)
        except subprocess.TimeoutExpired:
            fail("orvane did not end on SIGTERM")
        if code != 0:
            fail("orvane exited with %d" % code)
        raw = open(os.path.join(appdir, "config", "default0.psf"), "rb").read().decode("utf-16")
        if "1000HZ" not in raw:
            fail("the window's change was lost")
        if "\tXYSetting1Value=0014\n" not in raw:
            fail("orvanectl's change was lost")
        print("both changes reached the file")
    finally:
        if app.poll() is None:
            app.kill()
        app.wait(10)
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


def window_pixels(env, win):
    """The window's contents as (width, height, bytes per line, pixel bytes), through xwd."""
    raw = subprocess.run(["xwd", "-silent", "-id", win], env=env, capture_output=True, timeout=10).stdout
    if len(raw) < 100:
        fail("xwd returned no picture")
    head = struct.unpack(">25I", raw[:100])
    header_size, width, height, bytes_per_line, ncolors = head[0], head[4], head[5], head[12], head[19]
    start = header_size + 12 * ncolors
    return width, height, bytes_per_line, raw[start:start + bytes_per_line * height]


def region(shot, left, top, right, bottom):
    width, height, bpl, data = shot
    bpp = bpl // width
    return b"".join(data[y * bpl + left * bpp:y * bpl + right * bpp] for y in range(top, min(bottom, height)))


def macro_source(path, names):
    """Macros of 168 commands (336 actions, key presses and releases each followed by a 5 ms
    delay, which travels inside its event): 21 chunks each."""
    with open(path, "w") as f:
        f.write("set=Long\n")
        for n, name in enumerate(names):
            code = "%02X" % (0x41 + n)
            f.write("key=%s\nloop=2 1\ncommands=168\nactions=%s\n" %
                    (name, " ".join("03000005" if a % 2 else code + ("800000" if a % 4 else "000000")
                               for a in range(336))))


def sets_of(text, command):
    return [l for l in text.splitlines() if " SET " in l and l.split()[5:6] == [command]]


def case_livepass():
    display, appdir = Display(), app_dir()
    trace = os.path.join(appdir, "trace.txt")
    env = env_for(display, appdir, ORVANE_TRACE=trace)
    # The first profile plays five long macros (button 1 keeps the left click); the window starts
    # on the second profile, so a click on the first tab writes all of them: a pass of seconds.
    names = ["Long%d" % i for i in range(2, 7)]
    source = os.path.join(appdir, "macros.txt")
    macro_source(source, names)
    datagen = os.environ.get("ORVANE_DATAGEN", os.path.join(BIN, "..", "tools", "orvane-datagen"))
    subprocess.run([datagen, "macros", source, os.path.join(appdir, "config", "MacroLibraryFile.mlf")], check=True)
    ctl = [os.path.join(BIN, "orvanectl"), "--app-dir", appdir, "--simulate"]
    quiet = dict(env, ORVANE_TRACE="0")
    for button, name in enumerate(names, start=2):
        subprocess.run(ctl + ["set", "button", str(button), "macro", name], env=quiet, check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run(ctl + ["profile", "select", "2"], env=quiet, check=True, stdout=subprocess.DEVNULL)
    app = subprocess.Popen([os.path.join(BIN, "orvane"), "--simulate"], env=env)
    try:
        win = wait_for("the main window", lambda: find_window(env))
        time.sleep(1.5)  # start-up traffic
        # The right-hand column of sections, which a header click rearranges.
        column = (846, 37, 1108, 700)
        before = region(window_pixels(env, win), *column)
        start = len(open(trace).read())
        xdotool(env, "mousemove", "--window", win, "131", "562")  # the first profile tab
        xdotool(env, "click", "1")
        time.sleep(0.05)
        xdotool(env, "mousemove", "--window", win, "977", "420")  # the sleep section's header
        xdotool(env, "click", "1")
        time.sleep(0.4)
        after = region(window_pixels(env, win), *column)
        written = open(trace).read()[start:]
        if not sets_of(written, "0E"):
            fail("the profile switch did not start writing the macros")
        if sets_of(written, "01"):
            fail("the pass ended before the window was looked at: not a long pass")
        if after == before:
            fail("the section header click was not handled while the pass ran")
        print("the sleep section opened while the macros were being written")
        # Ending the program in the middle of the pass (as the tray's exit does): it leaves without
        # sending the rest and saves the profile switch, which was only pending until then.
        time.sleep(0.5)
        if sets_of(open(trace).read()[start:], "01"):
            fail("the pass ended within a second: not a long pass")
        config = os.path.join(appdir, "config", "config.ini")
        if "CurrentProfile=0" in open(config, encoding="utf-16").read():
            fail("the profile switch was saved before the end: nothing left pending")
        asked = time.time()
        app.terminate()
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            fail("the program did not end during the pass")
        print("ended %.0f ms after it was asked to, in the middle of the pass" % ((time.time() - asked) * 1000))
        written = open(trace).read()[start:]
        if sets_of(written, "01"):
            fail("the program finished the pass before ending")
        print("pass cut after %d macro chunk frames" % len(sets_of(written, "0E")))
        if "CurrentProfile=0" not in open(config, encoding="utf-16").read():
            fail("the pending profile switch was not saved at the end")
    finally:
        app.terminate()
        app.wait(10)
        display.close()
        shutil.rmtree(appdir, ignore_errors=True)


if __name__ == "__main__":
    {"slider": case_slider, "tray": case_tray, "second": case_second, "firststart": case_firststart,
     "notray": case_notray,
     "screenshot": case_screenshot,
     "shared": case_shared, "livepass": case_livepass}[CASE]()
