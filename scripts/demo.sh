#!/usr/bin/env bash
# Builds the 64-bit tree (build/) and runs the main demonstration.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build"
"$top/scripts/build.sh" x64
demos="$build/demo-output"
mkdir -p "$demos"
"$build/Examples/DwgDemo/dwg_demo" "$demos/varnex_demo.dwg"
echo
"$build/Examples/LegacyDemo/legacy_demo" "$demos"
echo
"$build/Examples/MstnDemo/mstn_demo" "$demos/varnex_demo.dgn"
