"""Checks of what Debian asks of a package's files: the copyright file, the compressed changelog
and the hardening of the programs. Each returns a list of problems (empty when all is well)."""
import gzip
import re
import subprocess

COPYRIGHT_FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
CHANGELOG_TOP = re.compile(r"^orvane \(([^()\s]+)\) [a-z-]+; urgency=(low|medium|high|emergency|critical)$")
CHANGELOG_TRAILER = re.compile(r"^ -- .+ <[^<>@\s]+@[^<>\s]+>  \w{3}, \d{2} \w{3} \d{4} \d{2}:\d{2}:\d{2} [+-]\d{4}$")


def read_cache(build):
    """The CMake cache of build as NAME -> value."""
    values = {}
    with open(build + "/CMakeCache.txt") as f:
        for line in f:
            m = re.match(r"^([A-Za-z_][A-Za-z0-9_]*):[A-Z]+=(.*)$", line.rstrip("\n"))
            if m:
                values[m.group(1)] = m.group(2)
    return values


def copyright_problems(path, license_text):
    """path is a DEP-5 copyright file whose one licence is license_text (LICENSE) word for word."""
    with open(path) as f:
        text = f.read()
    problems = []
    paragraphs = text.split("\n\n")
    if not paragraphs[0].startswith("Format: " + COPYRIGHT_FORMAT + "\n"):
        problems.append("the first paragraph does not name the machine-readable format")
    holder = re.search(r"^Copyright \(c\) (.+)$", license_text, re.M)
    files = [p for p in paragraphs if p.startswith("Files: *\n")]
    if not files or not holder or "\nCopyright: %s\n" % holder.group(1) not in files[0] + "\n":
        problems.append("no 'Files: *' paragraph with LICENSE's copyright holder")
    if not files or "\nLicense: MIT" not in files[0]:
        problems.append("the files' licence is not MIT")
    stand_alone = [p for p in paragraphs if p.startswith("License: MIT\n")]
    if not stand_alone:
        problems.append("no stand-alone 'License: MIT' paragraph with the licence text")
    else:
        lines = stand_alone[0].rstrip("\n").split("\n")[1:]
        if any(not line.startswith(" ") for line in lines):
            problems.append("a line of the licence text is not indented")
        terms = "\n".join("" if line == " ." else line[1:] for line in lines)
        if not terms or terms not in license_text:
            problems.append("the licence text differs from LICENSE")
    return problems


def changelog_problems(path):
    """path is a changelog compressed with gzip -n (no name, no time) whose entries have Debian's
    form. Returns the problems and the version of the latest entry."""
    with open(path, "rb") as f:
        raw = f.read()
    problems = []
    if raw[:3] != b"\x1f\x8b\x08":
        return ["not compressed with gzip"], None
    if raw[3] & 0x08 or raw[4:8] != b"\0\0\0\0":
        problems.append("the gzip header holds a file name or a time stamp (compress with -n)")
    lines = gzip.decompress(raw).decode("utf-8").split("\n")
    top = CHANGELOG_TOP.match(lines[0])
    if not top:
        problems.append("the first line is not 'orvane (VERSION) DISTRIBUTION; urgency=...': " + lines[0])
    trailers = [line for line in lines if line.startswith(" -- ")]
    if not trailers or any(not CHANGELOG_TRAILER.match(line) for line in trailers):
        problems.append("an entry lacks the ' -- NAME <MAIL>  DATE' line")
    if any(len(line) > 80 for line in lines):
        problems.append("a line is longer than 80 characters")
    return problems, top.group(1) if top else None


def hardening_problems(program, fortified):
    """program is a position-independent executable with full RELRO, a stack protector and, when
    fortified, glibc's checked functions."""
    headers = subprocess.run(["readelf", "-W", "-h", "-l", "-d", program], capture_output=True, text=True).stdout
    symbols = subprocess.run(["readelf", "-W", "--dyn-syms", program], capture_output=True, text=True).stdout
    problems = []
    if not re.search(r"Type:\s+DYN", headers) or not re.search(r"FLAGS_1.*\bPIE\b", headers):
        problems.append("not a position-independent executable")
    if "GNU_RELRO" not in headers:
        problems.append("no RELRO segment")
    if not re.search(r"\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b", headers):
        problems.append("symbols are bound lazily (no -z now)")
    if "__stack_chk_fail" not in symbols:
        problems.append("no stack protector")
    if fortified and not re.search(r"\b__\w+_chk\b", symbols.replace("__stack_chk_fail", "")):
        problems.append("no fortified function (_FORTIFY_SOURCE)")
    return problems
