#!/usr/bin/env bash
# Runs the editor's scenarios against vx52-sim and prints what the regulator holds after each,
# read with vx52-cli. Usage: tools/editor_scenarios.sh BUILD_DIR   (built with -DVX52_BENCH=ON)
set -euo pipefail
build=${1:?usage: tools/editor_scenarios.sh BUILD_DIR}
sim="$build/sim/vx52-sim"
cli="$build/cli/vx52-cli"
drive="$build/bench/editor_scenarios/bench_editor_scenarios"
export LC_ALL=cs_CZ.UTF-8 LANG=cs_CZ.UTF-8 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
sim_pid=
stop() { [ -z "$sim_pid" ] || { kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; }; sim_pid=; }
trap 'stop; rm -rf "$work"' EXIT

start() { # simulator arguments
    "$sim" --pty "$@" >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    pty=
    for _ in $(seq 50); do
        pty=$(sed -n 's/^PTY //p' "$work/sim.out" | head -n1)
        [ -n "$pty" ] && break
        sleep 0.1
    done
    [ -n "$pty" ] || { echo "the simulator did not start" >&2; exit 1; }
}

tables() { # table numbers
    for t in "$@"; do "$cli" --device "$pty" read-table "$t" | tr '\n' ' '; echo; done
}

echo "== failed load, regulator back, Zápis, Ne to the cards never filled"
start --fault silent
kill -USR1 "$sim_pid"; sleep 0.3 # answering, to read what it holds
echo "-- before:"; tables 1 2 4 8 10
kill -USR2 "$sim_pid"; sleep 0.3 # silent again
"$drive" "$pty" "$sim_pid" failed-load
echo "-- after:"; tables 1 2 4 8 10
stop

echo "== PID: type 3, Zápis karty, type 4,00, Zápis karty"
start
"$cli" --device "$pty" write-table 7 PB=4 >/dev/null
"$drive" "$pty" "$sim_pid" type-back
echo "-- after:"; tables 7
stop

echo "== silent regulator: the window's longest gap between 5 ms ticks, and how long each took"
start --fault silent
"$drive" "$pty" "$sim_pid" silent
stop
