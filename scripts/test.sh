#!/usr/bin/env bash
# Builds everything and runs the tests: scripts/test.sh [build-dir] [cmake options...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
shift || true
"$top/scripts/build.sh" "$build" "$@"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
