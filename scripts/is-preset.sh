#!/usr/bin/env bash
# Tells whether the argument names a configure preset of CMakePresets.json:
# exit 0 when it does, 1 when it does not, 2 when cmake cannot tell (cmake is
# missing or cannot read the presets). Run scripts/install-deps.sh first.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
if ! command -v cmake >/dev/null 2>&1; then
  echo "is-preset.sh: cmake is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
if ! presets="$(cmake --list-presets)"; then
  echo "is-preset.sh: cmake cannot list the presets of $top/CMakePresets.json" >&2
  exit 2
fi
grep -q "^  \"$1\"" <<<"$presets"
