#!/usr/bin/env bash
# The GUI thread's longest stall while the program talks to a silent regulator (automatic
# reading, the normal and the fast address search, opening the parameter editor and its
# "Čtení") and how long Přerušit takes, in a Release
# build with the benchmarks; prints the table.
#   tools/gui_stall.sh [BUILD_DIR, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/release}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=ON \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$dir" -j2 --target bench_gui_stall >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/gui_stall/bench_gui_stall"
