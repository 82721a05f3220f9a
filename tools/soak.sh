#!/bin/sh
# 15 minutes of unattended reading and recording against vx52-sim, the simulator killed and
# started again under the same link half way. Prints the table and summary of bench_soak.
#
#   tools/soak.sh [minutes] [sim options...]     default: 15 --fault silent --fault-rate 0.1
#
# Builds bench_soak and vx52-sim in build/rel (Release, benchmarks on) first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-15}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- --fault silent --fault-rate 0.1
build=$root/build/rel
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_soak vx52-sim >/dev/null
work=$(mktemp -d /tmp/vx52-soak.XXXXXX)
trap 'rm -rf "$work"' EXIT
echo "soak: $minutes min, vx52-sim $*, record file $work/record.txt"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/cfg LC_ALL=cs_CZ.UTF-8 \
    "$build/bench/soak/bench_soak" --sim "$build/sim/vx52-sim" --link "$work/ttyQDX" \
    --file "$work/record.txt" --minutes "$minutes" -- "$@"
