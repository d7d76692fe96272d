#!/usr/bin/env bash
# Succeeds when the argument names a configure preset of CMakePresets.json.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
cmake --list-presets 2>/dev/null | grep -q "^  \"$1\""
