#!/usr/bin/env bash
# Starts the simulated regulator on a pseudo-terminal and shows VX-52 working against it.
# Usage: tools/demo.sh BUILD_DIR [arguments for the program]
set -euo pipefail
build=${1:?usage: tools/demo.sh BUILD_DIR}
shift
sim="$build/sim/vx52-sim"
cli="$build/cli/vx52-cli"
for tool in "$sim" "$cli"; do
    [ -x "$tool" ] || { echo "demo: $tool is not built" >&2; exit 1; }
done

work=$(mktemp -d)
sim_pid=
stop_simulator() {
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop_simulator EXIT
trap 'exit 130' INT TERM

# Three regulators on one line, at addresses 1, 5 and 17, and an EEPROM file in the build
# folder so the parameters station 1 stores survive the next demo.
"$sim" --pty --stations 1,5,17 --eeprom "$build/demo-eeprom.txt" \
    >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
pty=
for _ in $(seq 50); do
    pty=$(sed -n 's/^PTY //p' "$work/sim.out" 2>/dev/null | head -n1)
    [ -n "$pty" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$pty" ]; then
    echo "demo: the simulator did not start" >&2
    cat "$work/sim.err" >&2
    exit 1
fi
echo "Simulated regulators on $pty (stations 1, 5 and 17; the program talks to 1)"

show_readings() {
    echo "Type:    $("$cli" --device "$pty" type)"
    echo "Version: $("$cli" --device "$pty" version)"
    for n in 1 2 3; do
        echo "-- reading $n"
        "$cli" --device "$pty" meas
        [ "$n" = 3 ] || sleep 1
    done
    echo "-- every station, three rounds"
    "$cli" --device "$pty" poll 1,5,17 --rounds 3
}

# ---- The program ----------------------------------------------------------------------
# The program runs on a settings store of its own inside the checkout (.run/config), so the
# user's real settings stay untouched: COM 1 is the simulator's pseudo-terminal (PORT/DEVICE1)
# and the regulator address is 1. The window's place and chart settings are kept between demos.
program="$build/app/vx52"
if [ ! -x "$program" ]; then
    show_readings
    exit 0
fi
root=$(cd "$(dirname "$0")/.." && pwd)
config="$root/.run/config"
store="$config/TevVx52.conf"
mkdir -p "$config"
if [ -f "$store" ]; then
    # Keep every section but the line's and the addresses', which this demo sets anew.
    awk '/^\[/ { skip = ($0 == "[PORT]" || $0 == "[ADRESA]") } !skip' "$store" >"$work/store"
else
    : >"$work/store"
fi
{
    cat "$work/store"
    printf '\n[PORT]\nCOM=1\nBAUDRATE=9600\nDEVICE1=%s\n\n[ADRESA]\nDA=1\nSA=0\n' "$pty"
} >"$store"
echo "VX-52 settings in $store; close the window to end the demo"
XDG_CONFIG_HOME="$config" "$program" "$@" || echo "demo: VX-52 ended with status $?" >&2
