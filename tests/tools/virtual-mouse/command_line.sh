#!/bin/sh
# orvane-virtual-mouse's own options: --help on standard output with exit 0, --version, the
# option names of --simulate (--mac) and a refusal with exit 2. None of these opens /dev/uhid.
# Usage: command_line.sh PROGRAM
program="$1"
fail() { echo "command_line: $*"; exit 1; }
out=$("$program" --help 2>/dev/null) || fail "--help exited $?"
case "$out" in *"usage: orvane-virtual-mouse"*"--mac=ID"*) ;; *) fail "--help printed: $out" ;; esac
out=$("$program" --version 2>/dev/null) || fail "--version exited $?"
case "$out" in "orvane-virtual-mouse "[0-9]*) ;; *) fail "--version printed: $out" ;; esac
"$program" --no-such-option >/dev/null 2>&1
[ $? -eq 2 ] || fail "a wrong option did not exit 2"
"$program" --mac=0x1000000 >/dev/null 2>&1
[ $? -eq 2 ] || fail "a 25-bit --mac was not refused"
echo ok
