#!/bin/sh
# vx52-cli poll of three simulated stations, publishing to a local mosquitto broker that is
# stopped in the middle and started again; mosquitto_sub counts what arrives. Prints per
# station the readings sent (CSV rows "ok"), received, repeated, missing and out of order.
#
#   tools/mqtt_outage.sh [seconds] [outage seconds]       default: 60 10
#
# Builds vx52-cli and vx52-sim in build/rel (Release) first, unless VX52_BUILD names a build
# tree that has them. Needs mosquitto and mosquitto-clients (tools/deps.sh installs them).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
outage=${2:-10}
build=${VX52_BUILD:-}
if [ -z "$build" ]; then
    build=$root/build/rel
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=OFF >/dev/null
    cmake --build "$build" -j2 --target vx52-cli vx52-sim >/dev/null
fi
work=$(mktemp -d /tmp/vx52-mqtt.XXXXXX)
broker=$(command -v mosquitto || echo /usr/sbin/mosquitto)
port=$((20000 + $$ % 20000))
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    [ -n "${KEEP:-}" ] && echo "files kept in $work" || rm -rf "$work"
}
trap cleanup EXIT
# Sessions survive the stop, so the subscriber misses nothing while it reconnects.
cat > "$work/mosquitto.conf" <<CONF
user root
persistence true
persistence_location $work/
max_queued_messages 0
listener $port 127.0.0.1
allow_anonymous true
CONF
start_broker() { "$broker" -c "$work/mosquitto.conf" >>"$work/broker.log" 2>&1 & bpid=$!; sleep 1; }
start_broker
mosquitto_sub -h 127.0.0.1 -p "$port" -q 1 -c -i vx52-outage-count -t 'vx52m/+/meas' \
    -F '%t %p' >"$work/received.txt" &
sub=$!
pids="$sub"
"$build/sim/vx52-sim" --pty --stations 1,2,3 >"$work/sim.out" 2>/dev/null &
pids="$pids $!"
sleep 1
pty=$(sed -n 's/^PTY //p' "$work/sim.out" | head -1)
"$build/cli/vx52-cli" --device "$pty" --mqtt "mqtt://127.0.0.1:$port" --mqtt-prefix vx52m \
    poll 1,2,3 --rounds "$seconds" --period 1000 >"$work/poll.csv" 2>"$work/poll.err" &
cli=$!
sleep $(( (seconds - outage) / 2 ))
kill -TERM "$bpid"; wait "$bpid" 2>/dev/null || true
echo "broker stopped at $(date +%T) for $outage s"
sleep "$outage"
start_broker
pids="$pids $bpid"
wait "$cli" || true
sleep 2
kill "$sub" 2>/dev/null || true
cat "$work/poll.err"
# Key of a reading: station, time to the second (the CSV has no milliseconds) and the four
# values, as both write them (shortest text of the float).
awk -F, 'NR > 1 && $8 == "ok" { sub(/Z$/, "+00:00", $1); print $2 " " $1 " " $3 "," $4 "," $5 "," $6 }' \
    "$work/poll.csv" >"$work/sent.keys"
sed -E 's|^vx52m/([0-9]+)/meas .*"time":"([^"]*)","out":\[([^]]*)\].*|\1 \2 \3|; s/\.[0-9]{3}([+-])/\1/' \
    "$work/received.txt" >"$work/received.keys"
awk '
    FNR == NR { sent[$0] = 1; nsent[$1]++; next }
    { nrecv[$1]++
      if (seen[$0]++) { rep[$1]++; next }
      if ($0 in sent) got[$1]++
      if ($2 < last[$1]) late[$1]++
      last[$1] = $2 }
    END {
      printf "%-8s %6s %9s %9s %8s %13s\n", "station", "sent", "received", "repeated", "missing", "out of order"
      for (s = 1; s <= 3; s++) {
        printf "%-8s %6d %9d %9d %8d %13d\n", s, nsent[s], nrecv[s], rep[s], nsent[s] - got[s], late[s]
        ts += nsent[s]; tr += nrecv[s]; tp += rep[s]; tm += nsent[s] - got[s]; tl += late[s] }
      printf "%-8s %6d %9d %9d %8d %13d\n", "all", ts, tr, tp, tm, tl }
' "$work/sent.keys" "$work/received.keys"
