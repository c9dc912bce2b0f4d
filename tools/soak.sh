#!/usr/bin/env bash
# Soak test outside the suite: 1000 cycles of import, calibrate, save and import in one headless main
# window, then 1000 cycles each in a fresh window, printing the memory held every 100 cycles; fails when
# it grows by more than 2 MiB after the first 100 cycles. Needs a build (tools/build.sh test).
# Usage: tools/soak.sh [CYCLES]
set -euo pipefail
cd "$(dirname "$0")/.."
cycles=${1:-1000}
soak=build/tools/brimvale-soak
[ -x "$soak" ] || cmake --build build --target brimvale-soak
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch"
echo "== one window, $cycles cycles"
"$soak" examples/core-record.csv examples/corvane-matrix.csv "$scratch" "$cycles"
echo "== a fresh window each cycle, $cycles cycles"
"$soak" examples/core-record.csv examples/corvane-matrix.csv "$scratch" "$cycles" fresh
