#!/usr/bin/env bash
# Runs io_com_port_probe.exe under Wine against COM1 made of a pseudo-terminal: COM1 leads to
# its slave side, and a small Python loop on the master side sends back every byte it
# receives. Wine's mount manager remakes dosdevices/com1 whenever the prefix starts, from the
# serial devices it finds unless HKLM\Software\Wine\Ports names one, so the port is named
# there and the prefix restarted. Usage: com_port_under_wine.sh <build folder> (WINEPREFIX and
# the rest of Wine's environment set by the caller); the probe's output goes to stdout.
set -euo pipefail
build=$1
ports='HKLM\Software\Wine\Ports'
ready=$(mktemp)
python3 -c '
import os, sys, tty
master, slave = os.openpty()
tty.setraw(slave)
print(os.ttyname(slave), flush=True)
while True:
    try:
        data = os.read(master, 4096)
    except OSError:
        break
    if not data:
        break
    os.write(master, data)
' >"$ready" &
echo_pid=$!
# The Wine server ends before the pseudo-terminal does: having opened it, the server would get
# its hang-up.
stop() {
    wine reg delete "$ports" /v COM1 /f >/dev/null 2>&1 || true
    wineserver -w || true
    kill "$echo_pid" 2>/dev/null || true
    rm -f "$ready"
}
trap stop EXIT
for _ in $(seq 50); do [ -s "$ready" ] && break; sleep 0.1; done
wineserver -w || true
wine reg add "$ports" /v COM1 /d "$(head -n 1 "$ready")" /f >/dev/null 2>&1
wineserver -w || true
cd "$build"
timeout 120 wine bin/io_com_port_probe.exe
