#!/usr/bin/env bash
# Builds everything and runs the tests.
#   scripts/test.sh                          both bitnesses: build/ (64-bit) and build-x86/ (32-bit)
#   scripts/test.sh <preset>...              the builds of the presets named (x64, x86, x64-sanitize, x86-sanitize)
#   scripts/test.sh <build-dir> [options...] one build folder, configured with the cmake options given
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

if [ $# -eq 0 ]; then
  set -- x64 x86
fi

if "$top/scripts/is-preset.sh" "$1"; then
  for preset in "$@"; do
    "$top/scripts/build.sh" "$preset"
  done
  cd "$top"
  # Every build's tests run, sequentially (some tests share files in the
  # temporary folder); the script fails when any of them failed.
  failed=()
  for preset in "$@"; do
    ctest --preset "$preset" --parallel "$jobs" || failed+=("$preset")
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "Tests failed in: ${failed[*]}" >&2
    exit 1
  fi
else
  build="$1"
  shift
  "$top/scripts/build.sh" "$build" "$@"
  ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300
fi
