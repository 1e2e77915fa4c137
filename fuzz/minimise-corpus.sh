#!/bin/sh
# Folds what the fuzzers found back into the corpus kept in the repository (fuzz/corpus/<target>),
# which CI's fuzz test starts from: a libFuzzer merge keeps the fewest, smallest inputs that reach
# every feature the kept corpus and the run's corpus reach together; then the smallest of those
# are kept up to a byte budget per target (32 KiB by default), so the repository stays small.
#   fuzz/minimise-corpus.sh FUZZ_BUILD_DIR [BUDGET_BYTES] [TARGET...]
# The run's corpus is FUZZ_BUILD_DIR/long/corpus/<target> (fuzz/run-long.sh) or, failing that,
# FUZZ_BUILD_DIR/corpus/<target> (fuzz/run-fuzzers.sh).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
out=$1
budget=${2:-32768}
shift $(( $# >= 2 ? 2 : 1 ))
if [ $# -eq 0 ]; then
  set -- $(cd "$out/fuzz" && ls -- *Fuzzer)
fi
for name in "$@"; do
  kept=$src/fuzz/corpus/$name
  found=$out/long/corpus/$name
  [ -d "$found" ] || found=$out/corpus/$name
  merged=$(mktemp -d)
  mkdir -p "$kept"
  sources=$kept
  [ -d "$found" ] && sources="$sources $found"
  # shellcheck disable=SC2086
  "$out/fuzz/$name" -merge=1 -max_len=65536 -timeout=300 "$merged" $sources >"$merged.log" 2>&1 ||
    { tail -n 20 "$merged.log"; rm -rf "$merged" "$merged.log"; exit 1; }
  rm -f "$kept"/*
  total=0
  for f in $(ls -Sr "$merged"); do
    size=$(wc -c <"$merged/$f")
    [ $((total + size)) -gt "$budget" ] && break
    cp "$merged/$f" "$kept/$f"
    total=$((total + size))
  done
  echo "$name: $(ls "$kept" | wc -l) inputs, $total bytes (of $(ls "$merged" | wc -l) after the merge)"
  rm -rf "$merged" "$merged.log"
done
