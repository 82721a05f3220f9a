#!/usr/bin/env bash
# Builds VX-52 (Release) and runs it against the simulated regulator.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
if [ -x tools/demo.sh ]; then
    exec tools/demo.sh "$build" "$@"
fi
echo "Built in $build; the demo comes with the simulator."
