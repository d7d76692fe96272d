#!/usr/bin/env bash
# Builds the tree and runs the main demonstration.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build"
"$top/scripts/build.sh" "$build"
demos="$build/demo-output"
mkdir -p "$demos"
"$build/Examples/DwgDemo/dwg_demo" "$demos/varnex_demo.dwg"
echo
"$build/Examples/LegacyDemo/legacy_demo" "$demos"
echo
"$build/Examples/MstnDemo/mstn_demo" "$demos/varnex_demo.dgn"
