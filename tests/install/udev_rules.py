"""A checker for udev rules files, for machines whose udevadm has no `verify` (systemd < 253).

It reads rules the way udev does (comma-separated KEY[{attr}] OP "value" items, comments,
backslash continuations) and refuses unknown keys, operators a key does not take, unquoted
values and rules that match nothing or do nothing.
"""
import fnmatch
import re

# key: (takes a {attribute}, may be matched, may be assigned)
KEYS = {
    "ACTION": (False, True, False), "DEVPATH": (False, True, False), "KERNEL": (False, True, False),
    "NAME": (False, True, True), "SYMLINK": (False, True, True), "SUBSYSTEM": (False, True, False),
    "DRIVER": (False, True, False), "ATTR": (True, True, True), "SYSCTL": (True, True, True),
    "KERNELS": (False, True, False), "SUBSYSTEMS": (False, True, False), "DRIVERS": (False, True, False),
    "ATTRS": (True, True, False), "TAGS": (False, True, False), "TAG": (False, True, True),
    "ENV": (True, True, True), "CONST": (True, True, False), "TEST": (True, True, False),
    "PROGRAM": (False, True, False), "RESULT": (False, True, False), "OWNER": (False, False, True),
    "GROUP": (False, False, True), "MODE": (False, False, True), "SECLABEL": (True, False, True),
    "RUN": (True, False, True), "LABEL": (False, False, True), "GOTO": (False, False, True),
    "IMPORT": (True, False, True), "OPTIONS": (False, False, True),
}
MATCH_OPS = ("==", "!=")
ASSIGN_OPS = ("=", "+=", "-=", ":=")
ITEM = re.compile(r'\s*([A-Z_]+)(?:\{([^}]*)\})?\s*(==|!=|\+=|-=|:=|=)\s*"((?:[^"\\]|\\.)*)"\s*(,|$)')


def logical_lines(text):
    """(line number, rule text) for every rule, continuations joined."""
    pending, start = "", 0
    for number, line in enumerate(text.split("\n"), 1):
        if not pending:
            start = number
        if line.endswith("\\"):
            pending += line[:-1]
            continue
        rule = (pending + line).strip()
        pending = ""
        if rule and not rule.startswith("#"):
            yield start, rule


def parse_rule(rule):
    """The rule's items as (key, attribute, operator, value); raises ValueError."""
    items, pos = [], 0
    while pos < len(rule):
        m = ITEM.match(rule, pos)
        if not m:
            raise ValueError("cannot read the rule from column %d: %r" % (pos + 1, rule[pos:]))
        key, attr, op, value = m.group(1), m.group(2), m.group(3), m.group(4)
        if key not in KEYS:
            raise ValueError("unknown key " + key)
        wants_attr, matchable, assignable = KEYS[key]
        if wants_attr and attr is None and key not in ("RUN", "IMPORT"):
            raise ValueError(key + " needs an {attribute}")
        if not wants_attr and attr is not None:
            raise ValueError(key + " takes no {attribute}")
        if op in MATCH_OPS and not matchable:
            raise ValueError(key + " cannot be matched")
        if op in ASSIGN_OPS and not assignable:
            raise ValueError("%s cannot be assigned (%s)" % (key, op))
        items.append((key, attr, op, value))
        pos = m.end()
        if m.group(5) == "," and pos >= len(rule):
            raise ValueError("trailing comma")
    matches = [i for i in items if i[2] in MATCH_OPS]
    assigns = [i for i in items if i[2] in ASSIGN_OPS]
    if not matches or not assigns:
        raise ValueError("a rule needs something to match and something to do")
    return items


def check_file(path):
    """Every problem found in the rules file, as text; empty when it is sound."""
    problems, rules = [], []
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for number, rule in logical_lines(text):
        try:
            rules.append(parse_rule(rule))
        except ValueError as e:
            problems.append("line %d: %s" % (number, e))
    return problems, rules


def matches(rule, device):
    """Whether the rule's match items all hold for device (a dict of key -> value)."""
    for key, attr, op, value in rule:
        if op not in MATCH_OPS:
            continue
        name = key if attr is None else "%s{%s}" % (key, attr)
        if name not in device:
            return False
        hit = any(fnmatch.fnmatchcase(device[name], alt) for alt in value.split("|"))
        if hit != (op == "=="):
            return False
    return True
