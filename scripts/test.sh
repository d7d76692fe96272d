#!/usr/bin/env bash
# Builds everything and runs the tests.
#   scripts/test.sh                          both bitnesses: build/ (64-bit) and build-x86/ (32-bit)
#   scripts/test.sh <preset>...              the builds of the presets named (x64, x86, x64-sanitize, x86-sanitize);
#                                            a 64-bit preset builds its 32-bit twin too, for the cross-build test
#   scripts/test.sh <build-dir> [options...] one build folder, configured with the cmake options given
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

if [ $# -eq 0 ]; then
  set -- x64 x86
fi

# The 64-bit builds' cross-build test also runs the probes of the 32-bit build
# beside them, so a 64-bit preset brings its 32-bit twin's build along.
peer_of() {
  case "$1" in
    x64) echo x86 ;;
    x64-sanitize) echo x86-sanitize ;;
  esac
}

# cmake tells presets from build folders: it has to be there before anything
# is decided.
"$top/scripts/install-deps.sh"
kind=0
"$top/scripts/is-preset.sh" "$1" || kind=$?
if [ "$kind" -eq 0 ]; then
  builds=()
  for preset in "$@"; do
    builds+=("$preset")
    peer="$(peer_of "$preset")"
    if [ -n "$peer" ] && [[ " $* " != *" $peer "* ]]; then
      builds+=("$peer")
    fi
  done
  for preset in "${builds[@]}"; do
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
elif [ "$kind" -eq 1 ]; then
  build="$1"
  shift
  "$top/scripts/build.sh" "$build" "$@"
  ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300
else
  exit "$kind"
fi
