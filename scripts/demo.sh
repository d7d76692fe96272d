#!/usr/bin/env bash
# Builds the tree and runs the main demonstration.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build"
"$top/scripts/build.sh" "$build"
"$build/Examples/ModelDemo/model_demo"
