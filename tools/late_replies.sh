#!/usr/bin/env bash
# Late replies from the shell, as a new user meets them: 20 vx52-cli operations back to
# back against `vx52-sim --fault late`, each compared with what a healthy simulator answers
# (failed / answered / wrong), then the fast search of 0..126 with every reply 20 ms late at
# 9600, 19200 and 115200 bit/s (stations found of those that answer, and the time).
#
#   tools/late_replies.sh [CLI SIM] [late-fault options...]   default: build/test's programs,
#                                                              --fault-rate 1
# CLI and SIM may come from different builds (an older vx52-cli against a newer vx52-sim).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/test/cli/vx52-cli}
sim=${2:-$root/build/test/sim/vx52-sim}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- --fault-rate 1
work=$(mktemp -d /tmp/vx52-late.XXXXXX)
simpid=
stop_sim() { [ -n "$simpid" ] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null; simpid=; }
trap 'stop_sim; rm -rf "$work"' EXIT

# Starts vx52-sim on a pseudo-terminal with the given options; sets pty.
start_sim() {
    "$sim" --pty "$@" > "$work/sim.out" 2> "$work/sim.err" &
    simpid=$!
    for _ in $(seq 50); do
        pty=$(sed -n 's/^PTY //p' "$work/sim.out")
        [ -n "$pty" ] && return 0
        sleep 0.1
    done
    echo "vx52-sim did not start" >&2
    exit 1
}

ops=("read-table 0" "read-table 1" "read-table 2" "read-table 3" "read-table 4" "read-table 5"
     "read-table 6" "read-table 7" "read-table 8" "read-table 9" "read-table 10" "read-table 11"
     "read-table 13" "type" "version" "probe" "eeprom" "read-table 2" "read-table 3" "type")

# What a healthy regulator answers to each.
start_sim
for i in "${!ops[@]}"; do
    # shellcheck disable=SC2086
    "$cli" --device "$pty" ${ops[$i]} > "$work/good.$i" 2>/dev/null || echo FAILED > "$work/good.$i"
done
stop_sim

start_sim --fault late "$@"
failed=0 answered=0 wrong=0
start=$(date +%s%N)
for i in "${!ops[@]}"; do
    set +e
    # shellcheck disable=SC2086
    "$cli" --device "$pty" ${ops[$i]} > "$work/late.$i" 2> "$work/late.err.$i"
    rc=$?
    set -e
    if [ $rc -ne 0 ]; then
        failed=$((failed + 1))
    elif cmp -s "$work/good.$i" "$work/late.$i"; then
        answered=$((answered + 1))
    else
        wrong=$((wrong + 1))
        echo "  wrong: ${ops[$i]} printed $(head -c 60 "$work/late.$i" | tr '\n' ' ')"
    fi
done
ms=$((($(date +%s%N) - start) / 1000000))
stop_sim
echo "20 operations against vx52-sim --fault late $*: failed $failed, answered $answered, wrong $wrong ($ms ms)"

# Fast search with every reply 20 ms late: stations at 1..30, neighbours all.
echo "fast search 0..126, stations 1..30, replies 20 ms late:"
printf '%8s %10s %8s\n' "bit/s" "found" "ms"
for baud in 9600 19200 115200; do
    start_sim --baud "$baud" --address 1 --also-answer "$(seq -s, 2 30)" --reply-delay 20
    start=$(date +%s%N)
    found=$("$cli" --device "$pty" --baud "$baud" scan --fast 0 126 2>/dev/null | grep -c . || true)
    ms=$((($(date +%s%N) - start) / 1000000))
    stop_sim
    printf '%8s %7s/30 %8s\n' "$baud" "$found" "$ms"
done
