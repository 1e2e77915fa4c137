#!/bin/sh
# orvane without a display: one line that says so and exit 1, not Qt's abort. Nothing is written
# into the folder it was given.
# Usage: no_display.sh ORVANE FOLDER
program="$1"
folder="$2"
rm -rf "$folder" && mkdir -p "$folder" || exit 1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --app-dir "$folder" 2>&1)
rc=$?
echo "$out"
case "$out" in
  *"no display found"*) ;;
  *) echo "no_display: the message does not say that no display was found"; exit 1 ;;
esac
[ "$rc" -eq 1 ] || { echo "no_display: exit $rc, expected 1"; exit 1; }
[ -z "$(ls -A "$folder")" ] || { echo "no_display: files were written"; exit 1; }
rm -rf "$folder"
