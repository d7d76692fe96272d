#!/usr/bin/env bash
# Configures and builds the tree: scripts/build.sh <preset | build-dir> [cmake options...]
# A preset of CMakePresets.json (x64, x86, x64-sanitize, x86-sanitize) names the
# build folder and the bitness; a build folder is configured 64-bit unless the
# options say -DVARNEX_BITS=32.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?preset or build directory}"
shift
"$top/scripts/install-deps.sh"
cd "$top"
kind=0
"$top/scripts/is-preset.sh" "$target" || kind=$?
if [ "$kind" -eq 0 ]; then
  cmake --preset "$target" "$@"
  cmake --build --preset "$target" --parallel
elif [ "$kind" -eq 1 ]; then
  cmake -S "$top" -B "$target" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$target" --parallel
else
  exit "$kind"
fi
