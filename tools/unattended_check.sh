#!/bin/sh
# Unattended reading and recording against vx52-sim under Xvfb, with nothing pressed:
#  outage:    the simulator is killed during automatic reading and started again under the
#             same link 10 s later;
#  disk full: the recording goes to a 64 KB tmpfs that is full at the first periodic write
#             (1 min); the space comes back 20 s later (root only: it mounts the tmpfs).
# Prints, per fault, the requests the simulator received in the 30 s after the fault ended,
# the windows besides the main one on screen then (boxes), and for the disk whether the file
# caught up.
#
#   tools/unattended_check.sh [BUILD_DIR]      default build/release (vx52 and vx52-sim built)
#
# A program without --read/--record is started by clicking "Automatické čtení" (and "Zápis do
# souboru", answering its question No and cancelling its file dialog: the recording then goes
# to the documents folder) with xdotool.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
case $build in /*) ;; *) build=$PWD/$build ;; esac
if [ -z "${VX52_CHECK_DISPLAY:-}" ]; then
    exec env VX52_CHECK_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
vx52=$build/app/vx52
sim=$build/sim/vx52-sim
work=$(mktemp -d /tmp/vx52-unattended.XXXXXX)
sim_pid=; app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    mountpoint -q "$work/home/Documents" 2>/dev/null && umount "$work/home/Documents" || true
    rm -rf "$work"
}
trap cleanup EXIT
link=$work/ttyQDX
unattended=no
"$vx52" --help | grep -q -- '--record' && unattended=yes

now() { date +%s.%N; }
start_sim() { # $1: trace file; sets sim_pid and sim_start
    "$sim" --pty --link "$link" --address 1 --trace >/dev/null 2>"$1" &
    sim_pid=$!
    sim_start=$(now)
    for _ in $(seq 50); do [ -e "$link" ] && return 0; sleep 0.1; done
    echo "vx52-sim did not start" >&2; exit 1
}
# Requests in the trace between $2 and $2+30 s after the simulator's start (seconds).
requests_in_30s() {
    awk -v from="$2" '$2 == "RX" && $1 >= from * 1000 && $1 < (from + 30) * 1000 { n++ } END { print n + 0 }' "$1"
}
store() {
    mkdir -p "$work/cfg" "$work/home/Documents"
    printf '[PORT]\nCOM=1\nBAUDRATE=9600\nDEVICE1=%s\n\n[ADRESA]\nDA=1\nSA=0\n\n[ZAZNAM]\nLIST=1\nJEDNOTKY=1\nSOUBOR=1\n' \
        "$link" >"$work/cfg/TevVx52.conf"
}
main_window() { xdotool search --sync --onlyvisible --name '^VX-52$' | head -n1; }
other_windows() { echo $(( $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l) - 1 )); }
click() { # $1 $2: a point of the main window's client area
    xdotool mousemove --window "$(main_window)" "$1" "$2" click 1
}
start_app() { # $@: the program's own options
    HOME=$work/home XDG_CONFIG_HOME=$work/cfg LC_ALL=cs_CZ.UTF-8 "$vx52" "$@" \
        >"$work/app.out" 2>&1 &
    app_pid=$!
    main_window >/dev/null
    sleep 2
}
# "Automatické čtení" and "Zápis do souboru" as laid out: panel at 528,0, boxes at 8,16 / 8,48,
# under a menu bar of about 21 px.
tick_auto() { click 560 45; }
tick_recording() { click 560 77; sleep 2; xdotool key Escape; sleep 2; xdotool key Escape; }

echo "program: $vx52 (--read/--record: $unattended)"
printf '%-10s %-28s %10s %8s %s\n' fault "started by" requests boxes note

# ---- outage ----
store
start_sim "$work/sim1.trace"
if [ $unattended = yes ]; then start_app --read; how="--read"; else start_app; tick_auto; how="click"; fi
sleep 10
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
sleep 10
start_sim "$work/sim2.trace"
sleep 30
boxes=$(other_windows)
printf '%-10s %-28s %10s %8s %s\n' outage "$how" "$(requests_in_30s "$work/sim2.trace" 0)" "$boxes" \
    "simulator restarted 10 s after it was killed"
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=

# ---- disk full ----
if [ "$(id -u)" != 0 ]; then
    echo "disk full: skipped (mounting the tmpfs needs root)"
    exit 0
fi
rm -rf "$work/cfg" "$work/home"
store
mount -t tmpfs -o size=64k tmpfs "$work/home/Documents"
dd if=/dev/zero of="$work/home/Documents/filler" bs=1k count=128 2>/dev/null || true
start_sim "$work/sim3.trace"
file=$work/home/Documents/noc.txt
if [ $unattended = yes ]; then
    start_app --record "$file"; how="--record"
else
    start_app; tick_auto; tick_recording; how="click, No, file dialog cancelled"
    file="$work/home/Documents/Záznam QDX72_4xxx.txt"
fi
sleep 80 # the first periodic write, at 1 min, meets the full disk
rm -f "$work/home/Documents/filler"
freed=$(awk -v a="$sim_start" -v b="$(now)" 'BEGIN { print b - a }')
sleep 30
boxes=$(other_windows)
printf '%-10s %-28s %10s %8s %s\n' "disk full" "$how" "$(requests_in_30s "$work/sim3.trace" "$freed")" \
    "$boxes" "space back $(printf %.0f "$freed") s after the simulator started"
sleep 35 # the next period's write
lines=0; [ -f "$file" ] && lines=$(wc -l <"$file")
echo "file after the space came back and one more period: $lines lines"
