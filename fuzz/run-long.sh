#!/bin/sh
# Long fuzzing run, outside CI's budget: runs each fuzzer, one after the other, until it has
# executed a given number of inputs (10 M by default) or until a time cap, starting from the
# corpus kept in fuzz/corpus/<target> and the seeds orvane-fuzz-seeds writes, at the lowest CPU
# priority. Prints one line per target:
# executions, executions per second, coverage (edges and features), corpus size and crashes.
#   fuzz/run-long.sh [-n EXECUTIONS] [-t SECONDS_PER_TARGET] [-b FUZZ_BUILD_DIR] [TARGET...]
# Without TARGET every fuzzer in the build folder runs. The build folder (build-fuzz-long by
# default) is configured and built with clang when it does not hold the fuzzers yet. Inputs
# that crash are kept in FUZZ_BUILD_DIR/long/artifacts/<target>/; the grown corpus stays in
# FUZZ_BUILD_DIR/long/corpus/<target>/ (fold it back with fuzz/minimise-corpus.sh).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
runs=10000000
seconds=0
out=$src/build-fuzz-long
while getopts n:t:b: opt; do
  case $opt in
    n) runs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    b) out=$OPTARG ;;
    *) echo "usage: $0 [-n EXECUTIONS] [-t SECONDS_PER_TARGET] [-b FUZZ_BUILD_DIR] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ ! -x "$out/fuzz/ProfileFileFuzzer" ]; then
  CC=clang CXX=clang++ cmake -S "$src" -B "$out" -DORVANE_BUILD_FUZZERS=ON -DORVANE_BUILD_GUI=OFF \
    -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$out.configure.log" 2>&1 ||
    { cat "$out.configure.log"; exit 1; }
  nice -n 19 cmake --build "$out" -j2 --target orvane-fuzzers >/dev/null
fi
if [ $# -eq 0 ]; then
  set -- $(cd "$out/fuzz" && ls -- *Fuzzer)
fi
# One well-formed file per reader joins the kept corpus (which is cut to a byte budget a whole
# profile does not fit), so the runs reach past the first malformed line from the start.
seeds=$out/long/seeds
[ -x "$out/fuzz/orvane-fuzz-seeds" ] && "$out/fuzz/orvane-fuzz-seeds" "$seeds" >/dev/null
status=0
printf '%-26s %12s %8s %6s %7s %7s %8s %s\n' target executions exec/s cov ft corpus seconds crashes
for name in "$@"; do
  corpus=$out/long/corpus/$name
  artifacts=$out/long/artifacts/$name
  log=$out/long/$name.log
  mkdir -p "$corpus" "$artifacts"
  [ -d "$src/fuzz/corpus/$name" ] && cp -n "$src/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  [ -d "$seeds/$name" ] && cp -n "$seeds/$name"/* "$corpus"/ 2>/dev/null || true
  start=$(date +%s)
  # The time limit per input is wall-clock time: on a shared machine at nice 19 a 10 ms input
  # can wait seconds for the processor, so only a real hang passes five minutes.
  code=0
  nice -n 19 "$out/fuzz/$name" -runs="$runs" -max_total_time="$seconds" -max_len=65536 -timeout=300 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 ||
    code=$?
  elapsed=$(( $(date +%s) - start ))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  cov=$(echo "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
  ft=$(echo "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
  units=$(echo "$last" | sed -n 's/.*corp: \([0-9]*\)\/.*/\1/p')
  crashes=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  [ "$code" -ne 0 ] && status=1
  printf '%-26s %12s %8s %6s %7s %7s %8s %s\n' "$name" "${executions:-?}" "${rate:-?}" "${cov:-?}" \
    "${ft:-?}" "${units:-?}" "$elapsed" "$crashes"
  if [ "$crashes" -ne 0 ] || [ "$code" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 5 | sed 's/^/    /'
  fi
done
exit $status
