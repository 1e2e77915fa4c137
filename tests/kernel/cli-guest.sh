#!/bin/sh
# Runs inside the test guest after the probe: orvanectl against orvane-virtual-mouse through the
# kernel's uhid, hidraw and HID core. Prints, for the host to compare with the same commands
# against the in-process virtual mouse:
#   ORVANE-KERNEL-CLI N exit CODE            per line N of /cli-commands.txt
#   ORVANE-KERNEL-FRAME N KIND DEVICE BYTES  every frame command N traced (ORVANE_TRACE)
# and checks a pass cut by an unplug (ORVANE-KERNEL-TEST: PASS|FAIL lines, as the probe's).
# Each command meets a freshly started mouse, as each command with --simulate does.
say() { echo "ORVANE-KERNEL-TEST: $*"; }
gone() {
  n=0
  while ls /dev/hidraw* > /dev/null 2>&1 && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
}
export ORVANE_APP_DIR=/tmp/cli
mkdir -p /tmp/cli

# Waits until COUNT hidraw nodes exist (one per device of the mouse: the wired one, the receiver).
nodes() {
  n=0
  while [ "$(ls /dev/hidraw* 2>/dev/null | wc -l)" -lt "$1" ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
  [ "$(ls /dev/hidraw* 2>/dev/null | wc -l)" -ge "$1" ]
}
# A fresh mouse, as each command with --simulate gets one; it takes commands (plug, unplug)
# through a fifo this script keeps open.
start_mouse() {
  gone
  rm -f /tmp/mouse.in
  mkfifo /tmp/mouse.in
  orvane-virtual-mouse --battery=57 --mac=0x123456 < /tmp/mouse.in > /tmp/mouse.out 2>&1 &
  mouse=$!
  exec 3> /tmp/mouse.in
  nodes 2
}
stop_mouse() {
  exec 3>&-
  kill $mouse 2> /dev/null
  wait $mouse 2> /dev/null
}
frames() {  # TRACE N: the trace without its time stamps
  [ -f "$1" ] || return 0
  while read -r ms kind device bytes; do echo "ORVANE-KERNEL-FRAME $2 $kind $device $bytes"; done < "$1"
}

i=0
while IFS= read -r line; do
  i=$((i + 1))
  if ! start_mouse; then
    say "FAIL cli: the virtual mouse's hidraw nodes did not appear: $(cat /tmp/mouse.out)"
    break
  fi
  # shellcheck disable=SC2086  # the command's words
  ORVANE_TRACE=/tmp/trace.$i orvanectl $(echo "$line" | sed 's|@LIBRARY@|/library.mlf|') > /tmp/out.$i 2>&1 < /dev/null
  echo "ORVANE-KERNEL-CLI $i exit $?"
  frames /tmp/trace.$i $i
  stop_mouse
done < /cli-commands.txt

start_mouse || say "FAIL cli: the virtual mouse's hidraw nodes did not appear: $(cat /tmp/mouse.out)"
# A full pass that loses both devices once its first frames are out: the command says what was
# not sent and fails; after the replug the next command sends the whole profile.
ORVANE_TRACE=/tmp/trace.cut orvanectl apply > /tmp/out.cut 2>&1 < /dev/null &
cli=$!
sets() { if [ -f /tmp/trace.cut ]; then grep -c ' SET ' /tmp/trace.cut; else echo 0; fi; }
# The pass's own frames, not the status and counter reads before it (commands 20 and 21): an
# unplug before the pass sends anything leaves the mouse as it was, and nothing to resend.
passed() {
  if [ -f /tmp/trace.cut ]; then awk '$2 == "SET" && $6 != "20" && $6 != "21"' /tmp/trace.cut | wc -l; else echo 0; fi
}
n=0
while [ "$(passed)" -lt 2 ] && [ $n -lt 1000 ]; do sleep 0.01; n=$((n + 1)); done
echo "unplug wired" >&3
echo "unplug receiver" >&3
wait $cli
cut=$?
sent_before=$(sets)
if [ $cut -eq 1 ] && grep -q "not sent" /tmp/out.cut; then
  say "PASS cli: a pass cut by the unplug exits 1 and names what was not sent ($sent_before frames out)"
else
  say "FAIL cli: a pass cut by the unplug: exit $cut after $sent_before frames: $(tr '\n' ' ' < /tmp/out.cut)"
fi
gone
echo "plug wired" >&3
echo "plug receiver" >&3
if nodes 2; then
  orvanectl set sleep 5 > /tmp/out.after 2>&1 < /dev/null
  after=$?
  if [ $after -eq 0 ] && grep -q "sent: button 1, .*sleep time" /tmp/out.after; then
    say "PASS cli: after the replug the next command sends the whole profile"
  else
    say "FAIL cli: after the replug: exit $after: $(tr '\n' ' ' < /tmp/out.after)"
  fi
else
  say "FAIL cli: the replugged mouse's hidraw nodes did not appear"
fi
stop_mouse
say "INFO cli: done"
