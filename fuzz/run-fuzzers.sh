#!/bin/sh
# Builds every libFuzzer target with clang in its own build folder and runs each for a bounded
# time (ORVANE_FUZZ_SECONDS, 20 by default), starting from the corpus kept in fuzz/corpus/<target>
# (copied, so the repository is left as it is). Fails on the first crash or sanitizer report.
#   run-fuzzers.sh SOURCE_DIR FUZZ_BUILD_DIR
set -eu
src=$1
out=$2
seconds=${ORVANE_FUZZ_SECONDS:-20}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzzers skipped"
  exit 0
fi
CC=clang CXX=clang++ cmake -S "$src" -B "$out" -DORVANE_BUILD_FUZZERS=ON -DORVANE_BUILD_GUI=OFF \
  -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$out.configure.log" 2>&1 ||
  { cat "$out.configure.log"; exit 1; }
cmake --build "$out" -j2 --target orvane-fuzzers
corpus=$out/corpus
"$out/fuzz/orvane-fuzz-seeds" "$corpus"
status=0
for fuzzer in "$out"/fuzz/*Fuzzer; do
  name=$(basename "$fuzzer")
  mkdir -p "$corpus/$name" "$out/artifacts/$name"
  [ -d "$src/fuzz/corpus/$name" ] && cp "$src/fuzz/corpus/$name"/* "$corpus/$name"/ 2>/dev/null || true
  echo "== $name (${seconds}s)"
  # An input's time limit is wall-clock: on a busy machine a 10 ms input can wait seconds.
  if ! "$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=60 -rss_limit_mb=2048 \
      -artifact_prefix="$out/artifacts/$name/" -print_final_stats=0 "$corpus/$name" >"$out/$name.log" 2>&1; then
    tail -n 40 "$out/$name.log"
    status=1
  else
    tail -n 2 "$out/$name.log"
  fi
done
exit $status
