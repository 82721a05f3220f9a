#!/usr/bin/env bash
# Builds VX-52 (Release) and runs it against the simulated regulator.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target vx52 vx52-sim vx52-cli
if [ -x tools/demo.sh ]; then
    # Reading from the start: an idle window with an empty chart would say nothing.
    exec tools/demo.sh "$build" --read "$@"
fi
echo "run.sh: tools/demo.sh is missing" >&2; exit 1
