#!/usr/bin/env bash
# Builds the benchmarks (64-bit, build/) and runs them: every figure against
# the baselines measured in the same run, the growth of the listings over the
# number of simulations, and the peak memory of the largest case, each case in
# a process of its own. Prints the table; the raw results stay in build/bench/.
#   scripts/bench.sh                 medians of three repetitions
#   BENCH_REPETITIONS=1 scripts/bench.sh
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
repetitions="${BENCH_REPETITIONS:-3}"
largest=1000000

"$top/scripts/install-deps.sh"
cd "$top"
# ccache, when there is one, unless another launcher is named.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake --preset x64 >&2
cmake --build --preset x64 --parallel "$(nproc)" --target bench_dwg bench_mstn >&2

bin="$top/build/Benchmarks"
out="$top/build/bench"
mkdir -p "$out"
for program in bench_dwg bench_mstn; do
  echo "Running $program ..." >&2
  "$bin/$program" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/$program.json" --benchmark_out_format=json >/dev/null
done

# Peak resident size, one process a case: the case less the empty run (the
# same simulation made, nothing filed).
: >"$out/peak.txt"
for program in bench_dwg bench_mstn; do
  case "$program" in bench_dwg) filed=filer ;; *) filed=save-load ;; esac
  for name in empty "$filed"; do
    "$bin/$program" --peak "$name" "$largest" | sed "s/^peak /peak program=$program /" >>"$out/peak.txt"
  done
  # The vector baseline of the same values: the record's bytes the case stored.
  bytes="$(sed -n "s/.*program=$program case=$filed .*record_bytes=\([0-9]*\).*/\1/p" "$out/peak.txt")"
  "$bin/$program" --peak vector "$largest" "$bytes" | sed "s/^peak /peak program=$program /" >>"$out/peak.txt"
done

python3 "$top/Benchmarks/table.py" "$out/bench_dwg.json" "$out/bench_mstn.json" "$out/peak.txt"
