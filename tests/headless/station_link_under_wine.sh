#!/usr/bin/env bash
# Runs station_link_run_test.exe under Wine against the station simulator on Linux: the
# simulator plays the console on a pseudo-terminal, which the prefix's COM1 leads to (named in
# HKLM\Software\Wine\Ports, which Wine reads when the prefix starts), and writes the Heavy
# Weather files of the same weather into a folder the test reads through Wine's Z: drive.
# Usage: station_link_under_wine.sh <the simulator built for Linux>, in the Windows build
# folder (WINEPREFIX and the rest of Wine's environment set by the caller).
set -euo pipefail
simulator=$1
work=$(mktemp -d)
ports='HKLM\Software\Wine\Ports'
"$simulator" --serial --folder "$work/station" --control "$work/faults.txt" \
    --seed 3 --start "2026-01-30 16:00" --days 0.25 --interval 5 --speed 0.01 --baud 0 \
    >"$work/simulator.txt" 2>&1 &
simulator_pid=$!
# The Wine server ends before the pseudo-terminal does: having opened it, the server would get
# its hang-up.
stop() {
    wine reg delete "$ports" /v COM1 /f >/dev/null 2>&1 || true
    wineserver -w || true
    kill "$simulator_pid" 2>/dev/null || true
    wait "$simulator_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT
for _ in $(seq 100); do grep -q '^serial: ' "$work/simulator.txt" && break; sleep 0.1; done
port=$(sed -n 's/^serial: //p' "$work/simulator.txt" | head -n 1)
wineserver -w || true
wine reg add "$ports" /v COM1 /d "$port" /f >/dev/null 2>&1
wineserver -w || true
export BREZZOLO_TEST_STATION="$(winepath -w "$work/station")|COM1|$(winepath -w "$work/faults.txt")"
timeout 300 wine bin/station_link_run_test.exe
