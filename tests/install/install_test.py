#!/usr/bin/env python3
"""The installed Orvane: install into a staging prefix, validate what desktops and udev read,
run the installed programs for a new user, and build the Debian package. With --lintian, build
the package and have lintian check it (exit status 77, "skipped", where lintian is missing).

usage: install_test.py BUILD_DIR [--lintian]
"""
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile

import package_checks
import udev_rules

BUILD = os.path.abspath(sys.argv[1])
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
failures = []

PROGRAMS = ["bin/orvane", "bin/orvanectl", "bin/orvane-virtual-mouse"]
SHIPPED = ["share/orvane/config/" + f for f in ("Lan_EN.txt", "Lan.txt", "MacroLibraryFile.mlf")]
PICTURES = ["share/orvane/skins/Frame_common.bmp", "share/orvane/skins/res/364.png",
            "share/orvane/skins/res/364@2x.png", "share/orvane/skins/res/palette.png"]
DESKTOP = ["share/applications/orvane.desktop", "share/icons/hicolor/scalable/apps/orvane.svg"] + [
    "share/icons/hicolor/%dx%d/apps/orvane.png" % (s, s) for s in (16, 22, 24, 32, 48, 64, 128, 256)]
OTHER = ["lib/udev/rules.d/70-orvane.rules", "share/metainfo/org.orvane.Orvane.metainfo.xml",
         "share/bash-completion/completions/orvanectl", "share/zsh/vendor-completions/_orvanectl",
         "share/fish/vendor_completions.d/orvanectl.fish"] + [
    "share/man/man1/%s.1.gz" % p for p in ("orvane", "orvanectl", "orvane-virtual-mouse")]
DOCS = ["share/doc/orvane/copyright", "share/doc/orvane/changelog.gz", "share/lintian/overrides/orvane",
        "share/doc/orvane/screenshot-de.png", "share/doc/orvane/screenshot-dpi-indicator.png",
        "share/doc/orvane/screenshot-programs.png"]
EXPECTED = PROGRAMS + SHIPPED + PICTURES + DESKTOP + OTHER + DOCS


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def tree(root):
    """Every file under root with its size and modification time."""
    out = {}
    for dirpath, _, files in os.walk(root):
        for f in files:
            p = os.path.join(dirpath, f)
            st = os.lstat(p)
            out[os.path.relpath(p, root)] = (st.st_size, st.st_mtime_ns)
    return out


def check_validators(prefix):
    desktop = os.path.join(prefix, "share/applications/orvane.desktop")
    r = run(["desktop-file-validate", desktop])
    check(r.returncode == 0 and not r.stdout.strip(), "desktop-file-validate: " + r.stdout + r.stderr)
    metainfo = os.path.join(prefix, "share/metainfo/org.orvane.Orvane.metainfo.xml")
    r = run(["appstreamcli", "validate", "--no-net", metainfo])
    check(r.returncode == 0, "appstreamcli validate: " + r.stdout + r.stderr)
    with open(metainfo) as f:
        check("<project_license>MIT</project_license>" in f.read(), "the AppStream file does not name the MIT licence")


def check_documents(prefix):
    """The copyright file states LICENSE in Debian's format; the changelog is compressed as Debian does it."""
    with open(os.path.join(SOURCE, "LICENSE")) as f:
        problems = package_checks.copyright_problems(os.path.join(prefix, "share/doc/orvane/copyright"), f.read())
    check(not problems, "copyright: " + "; ".join(problems))
    problems, _ = package_checks.changelog_problems(os.path.join(prefix, "share/doc/orvane/changelog.gz"))
    check(not problems, "changelog.gz: " + "; ".join(problems))


def check_hardening(prefix):
    """The programs are built as Debian builds its packages (cmake/Hardening.cmake)."""
    cache = package_checks.read_cache(BUILD)
    if cache.get("ORVANE_HARDENING", "ON") != "ON":
        return
    # _FORTIFY_SOURCE needs the optimiser and is left out under the sanitizers.
    fortified = (cache.get("CMAKE_BUILD_TYPE") in ("Release", "RelWithDebInfo", "MinSizeRel") and
                 cache.get("ORVANE_ASAN", "OFF") == "OFF" and cache.get("ORVANE_TSAN", "OFF") == "OFF")
    for program in PROGRAMS:
        problems = package_checks.hardening_problems(os.path.join(prefix, program), fortified)
        check(not problems, program + ": " + "; ".join(problems))


def check_udev_rule(prefix):
    rule = os.path.join(prefix, "lib/udev/rules.d/70-orvane.rules")
    # uaccess becomes an ACL in 73-seat-late.rules: our rule must come before it.
    check(int(os.path.basename(rule).split("-")[0]) < 73, "the udev rule sorts after 73-seat-late")
    if shutil.which("udevadm") and run(["udevadm", "verify", "--help"]).returncode == 0:
        r = run(["udevadm", "verify", rule])
        check(r.returncode == 0, "udevadm verify: " + r.stdout + r.stderr)
    problems, rules = udev_rules.check_file(rule)
    check(not problems, "udev rule: " + "; ".join(problems))

    def granted(kernels, subsystem="hidraw"):
        dev = {"KERNEL": "hidraw5", "SUBSYSTEM": subsystem, "KERNELS": kernels}
        return any(udev_rules.matches(r, dev) and ("TAG", None, "+=", "uaccess") in r for r in rules)

    # The kernel names a HID device BUS:VENDOR:PRODUCT.INSTANCE in upper-case hex, on USB and uhid alike.
    for name in ("0003:248A:5B2E.0001", "0003:248A:5B2F.000C"):
        check(granted(name), "the udev rule does not grant access to " + name)
    for name in ("0003:248A:5B2D.0001", "0003:046D:C077.0002"):
        check(not granted(name), "the udev rule grants access to another device " + name)
    check(not granted("0003:248A:5B2E.0001", "input"), "the udev rule reaches beyond hidraw")


def check_manuals_and_completion(prefix):
    for page in glob.glob(os.path.join(prefix, "share/man/man1/*.1.gz")):
        text = gzip.open(page, "rt").read()
        check(text.startswith(".TH "), page + " is not a manual page")
        if shutil.which("groff"):
            r = run(["groff", "-man", "-Tutf8", "-ww", "-z"], input=text)
            check(not r.stderr.strip(), page + ": " + r.stderr)
    completion = os.path.join(prefix, "share/bash-completion/completions/orvanectl")
    script = ('source "$1"; COMP_WORDS=(orvanectl --json se); COMP_CWORD=2; _orvanectl; echo "${COMPREPLY[*]}";'
              'COMP_WORDS=(orvanectl set polling ""); COMP_CWORD=3; _orvanectl; echo "${COMPREPLY[*]}"')
    r = run(["bash", "-c", script, "bash", completion])
    check(r.stdout.split("\n")[:2] == ["set", "125 250 500 1000"], "bash completion: " + r.stdout + r.stderr)
    # The installed scripts are what the installed program writes.
    for shell, path in (("bash", completion), ("zsh", "share/zsh/vendor-completions/_orvanectl"),
                        ("fish", "share/fish/vendor_completions.d/orvanectl.fish")):
        r = run([os.path.join(prefix, "bin/orvanectl"), "completion", shell])
        with open(os.path.join(prefix, path)) as f:
            check(r.returncode == 0 and r.stdout == f.read(), "the installed %s completion is stale" % shell)


def check_new_user(prefix, tmp):
    """The installed programs keep a new user's files in $XDG_CONFIG_HOME/orvane, never under the prefix."""
    home = os.path.join(tmp, "home")
    runtime = os.path.join(tmp, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env = {k: v for k, v in os.environ.items()
           if k not in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "ORVANE_APP_DIR", "DISPLAY", "WAYLAND_DISPLAY",
                        "DBUS_SESSION_BUS_ADDRESS")}
    env.update({"HOME": home, "XDG_RUNTIME_DIR": runtime, "QT_QPA_PLATFORM": "offscreen"})
    before = tree(prefix)
    bin_dir = os.path.join(prefix, "bin")
    config = os.path.join(home, ".config", "orvane")

    # status only looks; a change makes the simulation folder.
    r = run([os.path.join(bin_dir, "orvanectl"), "--simulate", "status"], env=env, timeout=60)
    check(r.returncode == 0, "orvanectl --simulate status: " + r.stdout + r.stderr)
    r = run([os.path.join(bin_dir, "orvanectl"), "--simulate", "set", "polling", "500"], env=env, timeout=60)
    check(r.returncode == 0, "orvanectl --simulate set polling 500: " + r.stdout + r.stderr)
    for f in ("config.ini", "default0.psf", "MacroLibraryFile.mlf"):
        check(os.path.isfile(os.path.join(config, "simulation", f)), "simulation folder lacks " + f)
    check(not os.path.exists(os.path.join(config, "config.ini")), "--simulate wrote the real settings")

    # A real run without a mouse still sets the user up; profile commands need no device.
    r = run([os.path.join(bin_dir, "orvanectl"), "profile", "show"], env=env, timeout=60)
    check(r.returncode == 0, "orvanectl profile show: " + r.stdout + r.stderr)
    for f in ["config.ini", "MacroLibraryFile.mlf"] + ["default%d.psf" % i for i in range(5)]:
        check(os.path.isfile(os.path.join(config, f)), "per-user folder lacks " + f)
    # The texts are read where they are installed, and without a selector the locale decides.
    for f in ["Lan.txt", "Lan_EN.txt", "LanSetting.ini"]:
        check(not os.path.exists(os.path.join(config, f)), "per-user folder was given " + f)
    check(os.stat(config).st_mode & 0o777 == 0o700, "the per-user folder is not private")
    with open(os.path.join(config, "config.ini"), "rb") as f:
        settings = f.read().decode("utf-16")
    check(config + "/default0.psf" in settings, "profile slots do not point into the per-user folder")

    shot = os.path.join(tmp, "window.png")
    r = run([os.path.join(bin_dir, "orvane"), "--simulate", "--screenshot", shot], env=env, timeout=60)
    check(r.returncode == 0 and os.path.getsize(shot) > 50000, "orvane --screenshot: " + r.stdout + r.stderr)
    # The decoded pictures are kept in the user's cache folder, for the next start.
    pictures = os.path.join(home, ".cache", "orvane", "pictures")
    kept = os.listdir(pictures) if os.path.isdir(pictures) else []
    check("first-pictures" in kept and any(f.endswith(".pixels") for f in kept),
          "no decoded pictures kept in ~/.cache/orvane/pictures: %s" % kept)
    for program in ("orvane", "orvanectl"):
        r = run([os.path.join(bin_dir, program), "--version"], env=env, timeout=30)
        check(r.returncode == 0 and r.stdout.startswith(program + " "), program + " --version: " + r.stdout)

    r = run([os.path.join(bin_dir, "orvanectl"), "udev-rule"], env=env, timeout=30)
    with open(os.path.join(prefix, "lib/udev/rules.d/70-orvane.rules")) as f:
        check(r.returncode == 0 and r.stdout == f.read(), "orvanectl udev-rule differs from the installed rule")

    env["XDG_CONFIG_HOME"] = os.path.join(tmp, "xdg")
    r = run([os.path.join(bin_dir, "orvanectl"), "profile", "show"], env=env, timeout=60)
    check(r.returncode == 0 and os.path.isfile(os.path.join(tmp, "xdg", "orvane", "config.ini")),
          "XDG_CONFIG_HOME is not followed")
    check(tree(prefix) == before, "something was written under the prefix")


def build_package(tmp):
    out = os.path.join(tmp, "deb")
    r = run(["cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-G", "DEB", "-B", out], cwd=BUILD,
            timeout=600)
    debs = glob.glob(os.path.join(out, "*.deb"))
    check(r.returncode == 0 and len(debs) == 1, "cpack: " + r.stdout[-2000:] + r.stderr[-2000:])
    return debs


def check_package(tmp):
    debs = build_package(tmp)
    if not debs:
        return
    contents = run(["dpkg-deb", "--contents", debs[0]]).stdout
    listed = {line.split()[-1].lstrip(".") for line in contents.splitlines() if line}
    for f in EXPECTED:
        check("/usr/" + f in listed, "the package lacks /usr/" + f)
    depends = run(["dpkg-deb", "-f", debs[0], "Depends"]).stdout
    for dep in ("libqt6widgets6", "libudev1", "qt6-wayland"):
        check(dep in depends, "the package does not depend on " + dep)
    control = os.path.join(tmp, "control")
    run(["dpkg-deb", "-e", debs[0], control])
    with open(os.path.join(control, "postinst")) as f:
        postinst = f.read()
    check("udevadm control --reload-rules" in postinst and "udevadm trigger" in postinst,
          "the package does not reload the udev rules")
    unpacked = os.path.join(tmp, "unpacked")
    run(["dpkg-deb", "-x", debs[0], unpacked])
    version = run(["dpkg-deb", "-f", debs[0], "Version"]).stdout.strip()
    _, logged = package_checks.changelog_problems(os.path.join(unpacked, "usr/share/doc/orvane/changelog.gz"))
    check(logged == version, "the changelog's latest entry is %r, the package %r" % (logged, version))


def check_lintian(tmp):
    """lintian finds no error and no warning: the warnings that are right for this package are
    overridden, with the reason, in packaging/lintian-overrides (see packaging/LINTIAN.md)."""
    debs = build_package(tmp)
    if not debs:
        return
    r = run(["lintian", "--fail-on", "error,warning", "--display-info", debs[0]], timeout=600)
    reported = [line for line in r.stdout.splitlines() if re.match(r"[EW]: ", line)]
    check(r.returncode == 0 and not reported, "lintian: " + r.stdout + r.stderr)
    # An override that no longer matches hides nothing and would hide a later problem unexplained.
    unused = [line for line in r.stdout.splitlines() if "unused-override" in line or "mismatched-override" in line]
    check(not unused, "lintian overrides that match nothing: " + "; ".join(unused))
    print(r.stdout, end="")


def main():
    lintian = "--lintian" in sys.argv[2:]
    if lintian and not shutil.which("lintian"):
        print("lintian is not installed: skipped")
        return 77
    tmp = tempfile.mkdtemp(prefix="orvane-install-")
    try:
        if lintian:
            check_lintian(tmp)
            return finish()
        prefix = os.path.join(tmp, "stage", "usr")
        r = run(["cmake", "--install", BUILD, "--prefix", prefix])
        check(r.returncode == 0, "cmake --install: " + r.stdout + r.stderr)
        for f in EXPECTED:
            check(os.path.isfile(os.path.join(prefix, f)), "not installed: " + f)
        check_validators(prefix)
        check_documents(prefix)
        check_hardening(prefix)
        check_udev_rule(prefix)
        check_manuals_and_completion(prefix)
        check_new_user(prefix, tmp)
        check_package(tmp)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    return finish()


def finish():
    if failures:
        print("%d failure(s)" % len(failures))
        return 1
    print("install: everything is in place")
    return 0


if __name__ == "__main__":
    sys.exit(main())
