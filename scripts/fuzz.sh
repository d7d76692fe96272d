#!/usr/bin/env bash
# Fuzzes the readers with the libFuzzer harnesses of Fuzz/, and writes their seeds.
#
#   scripts/fuzz.sh --list                       the harnesses the fuzz builds make
#   scripts/fuzz.sh <harness> [seconds] [-- <libFuzzer options>...]
#                                                fuzzes one harness (60 s unless told)
#   scripts/fuzz.sh --all [seconds]              fuzzes each harness in turn (60 s each)
#   scripts/fuzz.sh --seed                       writes the seed corpora Fuzz/Corpus/<harness>/
#                                                anew with the project's own writers
#
# Fuzzing builds the fuzz presets first: fuzz (build-fuzz/: clang, 64-bit,
# AddressSanitizer and UndefinedBehaviorSanitizer) for every harness but the XM
# module's, and fuzz-x86 (build-fuzz-x86/: the same, 32-bit) for that one,
# mstn_xm_design, as the XM module is 32-bit only. What a harness finds grows
# its working corpus, <fuzz build>/Fuzz/Work/<harness>/, beside the committed
# seeds it starts from; an input that fails a check or the sanitizers is kept in
# <fuzz build>/Fuzz/Findings/<harness>/ and the script fails. Replay one with
#   <fuzz build>/Fuzz/fuzz_<harness> <file>
# or with the replay program of an ordinary build of the same bitness,
# build/Fuzz/fuzz_<harness> <file> (build-x86/ for mstn_xm_design).
#
# The design-file harnesses take inputs of up to 512 KiB: their seeds hold
# records of two and three data elements (an element holds 131030 bytes of a
# record's stream), so that the boundaries between a record's pieces are reached.
#
# --seed builds the seed writers in build/ and build-x86/ (the XM module's
# seeds come from the 32-bit build) and replaces the files of every corpus they
# write. Run it after a change of the drawing file, design file or filer layout,
# then replay (ctest -R '^fuzz\.') and commit Fuzz/Corpus/.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
fuzz_build="$top/build-fuzz"
fuzz_build_32="$top/build-fuzz-x86"

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# Leaks count; a fault stops the run.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

# The harnesses of the 32-bit fuzz build; the 64-bit one fuzzes the others.
harnesses_32="mstn_xm_design"

# Whether this machine runs 32-bit programs only through QEMU's user emulator
# (enable-32bit-exec.sh). libFuzzer and AddressSanitizer do not run there, so
# the 32-bit harnesses are then left to the 32-bit builds' corpus replay.
emulated_32() {
  local entry
  for entry in varnex-i386 qemu-i386; do
    [ "$(head -n1 "/proc/sys/fs/binfmt_misc/$entry" 2>/dev/null)" = enabled ] && return 0
  done
  return 1
}

build_fuzz() {
  "$top/scripts/install-deps.sh"
  [ -f "$fuzz_build/build.ninja" ] || cmake --preset fuzz
  cmake --build --preset fuzz --parallel "$(nproc)"
  if ! emulated_32; then
    [ -f "$fuzz_build_32/build.ninja" ] || cmake --preset fuzz-x86
    cmake --build --preset fuzz-x86 --parallel "$(nproc)"
  fi
}

is_32() {
  [[ " $harnesses_32 " == *" $1 "* ]]
}

# The fuzz build that fuzzes the harness.
build_of() {
  if is_32 "$1"; then echo "$fuzz_build_32"; else echo "$fuzz_build"; fi
}

# Every harness fuzzed, in turn: the 64-bit build's, then the 32-bit build's.
all_harnesses() {
  local harness
  for harness in $(cut -d' ' -f1 "$fuzz_build/Fuzz/Harnesses.txt"); do
    is_32 "$harness" || echo "$harness"
  done
  if emulated_32; then
    echo "fuzz.sh: 32-bit programs run emulated here; $harnesses_32 is only replayed (ctest -R fuzz. in build-x86/)" >&2
    return
  fi
  for harness in $harnesses_32; do
    echo "$harness"
  done
}

# The program of the harness from its fuzz build's list; empty when there is none.
program_of() {
  awk -v h="$1" '$1 == h { print $2 }' "$(build_of "$1")/Fuzz/Harnesses.txt"
}

fuzz_one() {
  local harness="$1" seconds="$2"
  shift 2
  local program build
  program="$(program_of "$harness")"
  build="$(build_of "$harness")"
  if [ -z "$program" ] || [ ! -x "$program" ]; then
    echo "fuzz.sh: no harness $harness (scripts/fuzz.sh --list)" >&2
    return 2
  fi
  local limits=()
  case "$harness" in
    mstn_*) limits+=(-max_len=524288) ;;
  esac
  local work="$build/Fuzz/Work/$harness" findings="$build/Fuzz/Findings/$harness"
  mkdir -p "$work" "$findings"
  echo "== fuzzing $harness for ${seconds}s"
  # A run that does not end well after its time (a hang at its exit, say)
  # fails rather than stalling the caller.
  local status=0
  (cd "$findings" && timeout --kill-after=30 "$((seconds + 300))" \
      "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
      "${limits[@]}" -artifact_prefix="$findings/" "$@" "$work" "$top/Fuzz/Corpus/$harness") || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "fuzz.sh: $harness did not end within $((seconds + 300))s" >&2
  fi
  return "$status"
}

write_seeds() {
  "$top/scripts/install-deps.sh"
  local build writers=()
  for preset in x64 x86; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)" --target fuzz_seed_writers
  done
  # Each writer replaces the files of its corpora; the format 101 writer goes
  # first, the format 200 writer adds to its legacy drawing. Inputs a fuzzing
  # session found (found-*) stay, so that the replay keeps them.
  for corpus in dwg101_drawing dwg101_record dwg200_drawing dwg200_record mstn_connect_design mstn_xm_design; do
    find "$top/Fuzz/Corpus/$corpus" -maxdepth 1 -type f ! -name 'found-*' -delete
  done
  for build in build build-x86; do
    while read -r writer; do
      [ -n "$writer" ] && writers+=("$top/$build/Fuzz/$writer")
    done <"$top/$build/Fuzz/SeedWriters.txt"
  done
  for writer in "${writers[@]}"; do
    "$writer" "$top/Fuzz/Corpus"
  done
}

case "${1:-}" in
  ""|-h|--help) usage ;;
  --list)
    build_fuzz >/dev/null
    all_harnesses
    ;;
  --seed) write_seeds ;;
  --all)
    seconds="${2:-60}"
    build_fuzz
    failed=()
    harnesses=($(all_harnesses))
    for harness in "${harnesses[@]}"; do
      fuzz_one "$harness" "$seconds" || failed+=("$harness")
    done
    echo "fuzz: $((${#harnesses[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
    if [ ${#failed[@]} -gt 0 ]; then
      echo "fuzz.sh: findings in ${failed[*]} (build-fuzz/Fuzz/Findings/)" >&2
      exit 1
    fi
    ;;
  -*) usage ;;
  *)
    harness="$1"
    seconds=60
    shift
    if [ $# -gt 0 ] && [ "$1" != "--" ]; then
      seconds="$1"
      shift
    fi
    [ "${1:-}" = "--" ] && shift
    build_fuzz
    fuzz_one "$harness" "$seconds" "$@"
    ;;
esac
