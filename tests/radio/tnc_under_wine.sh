#!/usr/bin/env bash
# Runs radio_tnc_probe.exe under Wine against Dire Wolf started here, on the Linux side: no
# sound card (its audio input a pipe that stays silent), KISS on a free TCP port and on a
# pseudo-terminal, no AGW port. COM2 is mapped to that pseudo-terminal through
# HKLM\Software\Wine\Ports (COM1 belongs to com_port_under_wine.sh) and the prefix restarted,
# as Wine remakes dosdevices at its start. Every packet the probe put on the air then goes
# through decode_aprs. Usage: tnc_under_wine.sh <build folder> (WINEPREFIX and the rest of
# Wine's environment set by the caller).
set -euo pipefail
build=$1
ports='HKLM\Software\Wine\Ports'
work=$(mktemp -d)
direwolf_pid=""
stop() {
    wine reg delete "$ports" /v COM2 /f >/dev/null 2>&1 || true
    wineserver -w || true
    [ -z "$direwolf_pid" ] || kill "$direwolf_pid" 2>/dev/null || true
    exec 3>&- || true
    rm -rf "$work"
}
trap stop EXIT
# Dire Wolf takes ports up to 49151 only; one that nobody holds.
port=$(python3 -c '
import random, socket
for _ in range(200):
    p = random.randint(21000, 49000)
    s = socket.socket()
    try:
        s.bind(("", p)); print(p); break
    except OSError:
        pass
    finally:
        s.close()
')
printf 'ADEVICE stdin null\nARATE 8000\nCHANNEL 0\nMYCALL N0CALL\nMODEM 1200\nKISSPORT %s\nAGWPORT 0\n' \
    "$port" >"$work/direwolf.conf"
mkfifo "$work/audio"
exec 3<>"$work/audio"  # held open: the audio never ends
(cd "$work" && exec direwolf -c direwolf.conf -t 0 -p <audio >direwolf.log 2>&1) &
direwolf_pid=$!
for _ in $(seq 100); do
    grep -q 'Ready to accept KISS TCP client application 0' "$work/direwolf.log" 2>/dev/null && break
    sleep 0.1
done
pty=$(sed -n 's/^Virtual KISS TNC is available on //p' "$work/direwolf.log")
wineserver -w || true
wine reg add "$ports" /v COM2 /d "$pty" /f >/dev/null 2>&1
wineserver -w || true
cd "$build"
status=0
BREZZOLO_DIREWOLF_PORT=$port BREZZOLO_DIREWOLF_LOG=$(winepath -w "$work/direwolf.log" 2>/dev/null) \
    timeout 120 wine bin/radio_tnc_probe.exe | tee "$work/probe.txt" || status=$?
echo "== Dire Wolf's lines"
grep '^\[0L\] ' "$work/direwolf.log" || true
echo "== decode_aprs"
sed -n 's/^aired: //p' "$work/probe.txt" | tr -d '\r' >"$work/packets.txt"
decode_aprs "$work/packets.txt" | sed 's/\x1b\[[0-9;]*[mJ]//g' | tee "$work/decoded.txt" || true
# Each packet aired decodes as our weather report, with nothing the decoder found wrong.
if [ "$(grep -c '^Weather Report, WEATHER Station' "$work/decoded.txt")" -ne 2 ] ||
    grep -qE "Didn't|nvalid" "$work/decoded.txt"; then
    echo "decode_aprs did not read both packets as weather reports"
    status=1
fi
exit $status
