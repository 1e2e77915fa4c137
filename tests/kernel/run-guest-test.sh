#!/usr/bin/env bash
# Boots Debian's kernel under qemu with an initramfs that runs the kernel probe against
# orvane-virtual-mouse, and turns the probe's console lines into the test result. With ORVANECTL,
# the guest then runs the commands of cli-commands.txt through the kernel's hidraw nodes, and
# their frames must equal those of the same commands against the in-process virtual mouse here.
# usage: run-guest-test.sh PROBE VIRTUAL_MOUSE WORKDIR [UDEV_RULES [ORVANECTL MACRO_LIBRARY]]
# Exit 0 pass, 1 fail, 77 skip (kernel package unavailable).
set -euo pipefail

probe=$1
mouse=$2
work=$3
rules=${4:-}
cli=${5:-}
library=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
timeout_s=${ORVANE_GUEST_TIMEOUT:-210}
skip() { echo "SKIP: $*"; exit 77; }

mkdir -p "$work"
kernel_root="$work/kernel"

# The kernel package: whatever linux-image-amd64 points at, fetched once into the build tree.
if [ ! -f "$kernel_root/ok" ]; then
  pkg=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ { print $2; exit }')
  [ -n "$pkg" ] || skip "apt knows no linux-image-amd64 (run apt-get update)"
  rm -rf "$work/download" "$kernel_root"
  mkdir -p "$work/download"
  (cd "$work/download" && apt-get download -q "$pkg" >/dev/null 2>"$work/download/apt.log") ||
    skip "cannot download $pkg: $(tail -n 1 "$work/download/apt.log")"
  # Only the kernel image and the three modules: the whole tree is some 400 MB. The patterns
  # match modules under /lib and under /usr/lib, wherever the package puts them.
  mkdir -p "$kernel_root"
  dpkg-deb --fsys-tarfile "$work"/download/*.deb |
    tar -x -C "$kernel_root" --wildcards '*/boot/vmlinuz-*' '*/drivers/hid/hid.ko*' \
      '*/drivers/hid/uhid.ko*' '*/drivers/hid/hid-generic.ko*'
  rm -rf "$work/download"
  touch "$kernel_root/ok"
fi
vmlinuz=$(find "$kernel_root" -name 'vmlinuz-*' | head -n 1)
moddir=$(dirname "$(find "$kernel_root" -name 'hid-generic.ko*' | head -n 1)")
[ -n "$vmlinuz" ] && [ -d "$moddir" ] || { echo "FAIL: no kernel or HID modules in $kernel_root"; exit 1; }

# The initramfs: busybox, three modules, our two programs and the libraries they load.
initrd="$work/initramfs"
rm -rf "$initrd"
mkdir -p "$initrd"/{bin,dev,proc,sys,run,tmp,modules}
cp /bin/busybox "$initrd/bin/busybox"
for m in hid uhid hid-generic; do
  src=$(ls "$moddir/$m.ko"* | head -n 1)
  case "$src" in
    *.xz) xz -dc "$src" > "$initrd/modules/$m.ko" ;;
    *.zst) zstd -qdc "$src" > "$initrd/modules/$m.ko" ;;
    *) cp "$src" "$initrd/modules/$m.ko" ;;
  esac
done
cp "$probe" "$initrd/bin/orvane-kernel-probe"
cp "$mouse" "$initrd/bin/orvane-virtual-mouse"
# The shipped udev rule, to check its match keys against the kernel's own device names.
[ -z "$rules" ] || cp "$rules" "$initrd/orvane.rules"
if [ -n "$cli" ]; then
  cp "$cli" "$initrd/bin/orvanectl"
  cp "$here/cli-guest.sh" "$initrd/cli-guest.sh"
  cp "$here/cli-commands.txt" "$initrd/cli-commands.txt"
  cp "$library" "$initrd/library.mlf"
fi
for lib in $( (ldd "$probe"; ldd "$mouse"; [ -z "$cli" ] || ldd "$cli") | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\/.*ld-linux/ { print $1 }' | sort -u); do
  mkdir -p "$initrd$(dirname "$lib")"
  cp -L "$lib" "$initrd$lib"
done
cat > "$initrd/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
echo "ORVANE-KERNEL-TEST: INFO kernel $(uname -r)"
for m in hid uhid hid-generic; do
  insmod /modules/$m.ko || echo "ORVANE-KERNEL-TEST: FAIL insmod $m"
done
if [ -f /orvane.rules ]; then
  /bin/orvane-kernel-probe /bin/orvane-virtual-mouse /orvane.rules
else
  /bin/orvane-kernel-probe /bin/orvane-virtual-mouse
fi
echo "ORVANE-KERNEL-TEST: probe exited with $?"
[ ! -f /cli-guest.sh ] || sh /cli-guest.sh
reboot -f
INIT
chmod +x "$initrd/init"
(cd "$initrd" && find . | cpio -o -H newc --quiet | gzip -1) > "$work/initramfs.cpio.gz"

# The same commands against the in-process virtual mouse (the guest's: battery 57, Mac_ID
# 0x123456), each frame without its time stamp, as the guest prints them.
expected="$work/cli-expected"
if [ -n "$cli" ]; then
  ref="$work/cli-host"
  rm -rf "$ref" "$expected"
  mkdir -p "$ref"
  i=0
  while IFS= read -r line; do
    i=$((i + 1))
    # shellcheck disable=SC2046  # the command's words
    rc=0
    ORVANE_APP_DIR="$ref" ORVANE_TRACE="$ref/trace.$i" "$cli" --simulate=battery=57,mac=0x123456 \
      $(echo "$line" | sed "s|@LIBRARY@|$library|") > "$ref/out.$i" 2>&1 < /dev/null || rc=$?
    echo "ORVANE-KERNEL-CLI $i exit $rc" >> "$expected"
    if [ -f "$ref/trace.$i" ]; then
      while read -r _ kind device bytes; do echo "ORVANE-KERNEL-FRAME $i $kind $device $bytes"; done < "$ref/trace.$i" >> "$expected"
    fi
  done < "$here/cli-commands.txt"
fi

log="$work/console.log"
start=$(date +%s)
set +e
timeout "$timeout_s" qemu-system-x86_64 -accel tcg -m 512 -smp 1 -nographic -no-reboot -nic none \
  -kernel "$vmlinuz" -initrd "$work/initramfs.cpio.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=3 rdinit=/init" </dev/null >"$log" 2>&1
status=$?
set -e
elapsed=$(( $(date +%s) - start ))

grep -a "ORVANE-KERNEL-TEST" "$log" | tr -d '\r' || true
echo "guest ran ${elapsed}s (qemu exit $status); console log: $log"
if [ "$status" -eq 124 ]; then
  echo "FAIL: the guest did not finish within ${timeout_s}s"
  tail -n 30 "$log"
  exit 1
fi
cli_ok=1
if [ -n "$cli" ]; then
  grep -a "^ORVANE-KERNEL-\(CLI\|FRAME\) " "$log" | tr -d '\r' > "$work/cli-guest" || true
  if ! grep -aq "ORVANE-KERNEL-TEST: INFO cli: done" "$log"; then
    echo "FAIL: the command-line stage did not finish"
    cli_ok=0
  elif ! diff -u "$expected" "$work/cli-guest" > "$work/cli-diff"; then
    echo "FAIL: orvanectl's frames through the kernel differ from the in-process virtual mouse's:"
    head -n 40 "$work/cli-diff"
    cli_ok=0
  else
    echo "PASS: orvanectl's frames through the kernel equal the in-process virtual mouse's" \
      "($(grep -c FRAME "$expected") frames, $(grep -c CLI "$expected") commands)"
  fi
fi
if [ "$cli_ok" = 1 ] && grep -aq "ORVANE-KERNEL-TEST: RESULT PASS" "$log" && ! grep -aq "ORVANE-KERNEL-TEST: FAIL" "$log"; then
  exit 0
fi
tail -n 30 "$log"
exit 1
