#!/bin/sh
# Builds the tests of the event loops, the device link, the virtual mouse and orvanectl with
# ThreadSanitizer (clang) in their own build folder and runs them; any report fails.
#   run-tsan.sh SOURCE_DIR TSAN_BUILD_DIR
set -eu
src=$1
out=$2
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: ThreadSanitizer tests skipped"
  exit 0
fi
launcher=""
if command -v ccache >/dev/null 2>&1; then
  launcher="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086
CC=clang CXX=clang++ cmake -S "$src" -B "$out" -DORVANE_TSAN=ON -DORVANE_BUILD_GUI=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >"$out.configure.log" 2>&1 ||
  { cat "$out.configure.log"; exit 1; }
targets="orvane-base-tests orvane-device-tests orvane-sim-tests orvane-cli-tests"
# The shipped config files too: some tests read them.
# shellcheck disable=SC2086
cmake --build "$out" -j2 --target $targets orvane-config
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
status=0
for t in $targets; do
  echo "== $t"
  "$out/tests/$t" --gtest_brief=1 || status=1
done
exit $status
