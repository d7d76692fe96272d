#!/usr/bin/env bash
# Builds the tree and runs the main demonstration.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build"
"$top/scripts/build.sh" "$build"
"$build/Examples/DwgDemo/dwg_demo" "$build/varnex_demo.dwg"
