#!/usr/bin/env bash
# The Windows installer and the portable zip under Wine, as a user meets them:
#
#   installer_test.sh PACKAGE/brezzolo-<version>-setup.exe PROBE/installer_probe.exe
#
# installs silently into a scratch folder, checks the programs, the Add/Remove Programs entry,
# the data folder and the Start menu and Startup shortcuts (their target and working folder,
# read inside Windows by installer_probe.exe), starts the installed brezzolo.exe from the
# Start menu shortcut and expects only the folder dialog of a first run, and an uninstall tried
# meanwhile to refuse and change nothing; uninstalls silently and checks that the programs, the
# shortcuts and the entry are gone and the user's config.brz is not; then checks what the
# portable zip beside the installer holds.
#
# Run by scripts/test-windows, in its Wine prefix and with its settings (WINEPREFIX, WINEDEBUG,
# WINEDLLOVERRIDES, LANG) and on its display. Ends with
# "Installer: N passed, M failed" (checks) and a non-zero status on any failure.
set -uo pipefail

if [ $# -ne 2 ] || [ ! -f "$1" ] || [ ! -f "$2" ]; then
    echo "usage: $0 brezzolo-<version>-setup.exe installer_probe.exe" >&2
    exit 2
fi
setup=$(realpath "$1")
probe=$(realpath "$2")
version=$(basename "$setup" | sed -n 's/^brezzolo-\(.*\)-setup\.exe$/\1/p')
portable="$(dirname "$setup")/brezzolo-$version-portable.zip"
top=$(cd "$(dirname "$0")/../.." && pwd)

: "${WINEPREFIX:?run through scripts/test-windows, or set WINEPREFIX}"
: "${DISPLAY:?run through scripts/test-windows, which gives the windows a display}"
export WINEDEBUG=${WINEDEBUG--all}
# Wine would also copy the Start menu shortcuts into the host's desktop menus; not here.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"

started=$(date +%s)
passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok   $what"
    else
        failed=$((failed + 1))
        echo "FAIL $what"
    fi
}

scratch=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# Start from a quiet Wine: every program of an earlier test has ended.
wineserver -w

# Windows texts arrive with CR LF.
win() { wine "$@" 2>/dev/null | tr -d '\r'; }
value() { sed -n "s/^$1=//p" <<<"$2"; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

folders=$(win "$probe" folders)
programs_win=$(value programs "$folders")
startup_win=$(value startup "$folders")
data_win="$(value localappdata "$folders")\\Brezzolo"
menu_link_win="$programs_win\\Brezzolo.lnk"
startup_link_win="$startup_win\\Brezzolo.lnk"
menu_link=$(unix_path "$menu_link_win")
startup_link=$(unix_path "$startup_link_win")
data=$(unix_path "$data_win")
# A scratch folder with a blank in its name, as Program Files has.
install_win='C:\brezzolo-prova\Program Files\Brezzolo'
install="$WINEPREFIX/drive_c/brezzolo-prova/Program Files/Brezzolo"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brezzolo'
if [ -z "$programs_win" ] || [ -z "$startup_win" ] || [ -z "$data" ]; then
    echo "installer_probe did not find the user's folders: $folders"
    echo "Installer: 0 passed, 1 failed"
    exit 1
fi

# What an earlier, interrupted run may have left in this prefix.
rm -rf "$WINEPREFIX/drive_c/brezzolo-prova" "$data"
rm -f "$menu_link" "$startup_link"
wine reg delete "$key" /f >/dev/null 2>&1

echo "-- silent install of $(basename "$setup") into $install_win"
# As typed in cmd.exe: "/D=" last and without quotes, whatever blanks the folder has.
win "$probe" run "\"$(winepath -w "$setup" 2>/dev/null)\" /S /D=$install_win"
check "the installer ends with status 0" [ $? -eq 0 ]
expected=(brezzolo.exe brezzolo-headless.exe brezzolo-station-sim.exe uninstall.exe)
[ -f "$top/LICENSE" ] && expected+=(LICENSE.txt)
installed=$(cd "$install" 2>/dev/null && ls | sort)
check "the install folder holds exactly ${expected[*]}" \
    [ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ]

entry=$(win reg query "$key")
registered() { grep -qE "^ +$1 +REG_SZ +$2\$" <<<"$entry"; }
check "Add/Remove Programs lists Brezzolo $version" registered DisplayVersion "${version//./\\.}"
check "its uninstaller is the installed one" \
    registered UninstallString "\"${install_win//\\/\\\\}\\\\uninstall\\.exe\""

check "the data folder $data_win is made, empty" \
    [ -d "$data" -a -z "$(ls -A "$data" 2>/dev/null)" ]

for link_win in "$menu_link_win" "$startup_link_win"; do
    shortcut=$(win "$probe" shortcut "$link_win")
    target=$(value target "$shortcut")
    workdir=$(value workdir "$shortcut")
    check "$link_win starts brezzolo.exe in the data folder (target $target, in $workdir)" \
        [ "$target" = "$install_win\\brezzolo.exe" -a "$workdir" = "$data_win" ]
done

echo "-- first run from the Start menu shortcut; an uninstall while it runs"
# The uninstaller runs in place (_?=) and so is waited for; it must refuse, since Windows
# cannot delete a running program, and change nothing.
first_run=$(win "$probe" first-run "$menu_link_win" "Configurazione File" 60 \
    "\"$install_win\\uninstall.exe\" /S _?=$install_win")
status=$?
check "it shows the folder dialog" [ $status -eq 0 ]
check "and no other window (saw: $(sed -n 's/^window=//p' <<<"$first_run" | paste -sd ',' -))" \
    [ "$(grep -c '^window=' <<<"$first_run")" -eq 1 ]
check "a first run stores nothing before ESCI" [ ! -e "$data/config.brz" ]
installed_now=$(cd "$install" 2>/dev/null && ls | sort)
check "an uninstall while Brezzolo runs stops (status $(value command "$first_run")), removing nothing" \
    [ "$(value command "$first_run")" -gt 0 -a "$installed_now" = "$installed" \
      -a -f "$menu_link" -a -f "$startup_link" ]

# The user's settings and a record of theirs, which the uninstaller must leave.
printf '1\r\n1\r\n1\r\nC:\\HW\r\nC:\\UI-View\r\nhistory.dat\r\n' >"$data/config.brz"
cp "$data/config.brz" "$scratch/config.brz"
printf 'a record\r\n' >"$data/NOTE.TXT"

echo "-- silent uninstall"
wine "$install/uninstall.exe" /S >/dev/null 2>&1
check "the uninstaller ends with status 0" [ $? -eq 0 ]
# The uninstaller works from a copy of itself in the temporary folder; wait for it to end.
wineserver -w
check "the install folder is gone" [ ! -e "$install" ]
check "the Start menu shortcut is gone" [ ! -e "$menu_link" ]
check "the Startup shortcut is gone" [ ! -e "$startup_link" ]
check "Add/Remove Programs no longer lists Brezzolo" \
    test -z "$(win reg query "$key" 2>/dev/null | grep DisplayName)"
check "the user's config.brz is kept, unchanged" cmp -s "$data/config.brz" "$scratch/config.brz"
check "the user's other files are kept" [ -f "$data/NOTE.TXT" ]
rm -rf "$data" "$WINEPREFIX/drive_c/brezzolo-prova"

echo "-- $(basename "$portable")"
expected=(brezzolo.exe brezzolo-headless.exe brezzolo-station-sim.exe LEGGIMI.txt)
[ -f "$top/LICENSE" ] && expected+=(LICENSE.txt)
check "the zip is whole" unzip -tqq "$portable"
contents=$(unzip -Z1 "$portable" 2>/dev/null | grep -v '/$' | sort)
check "it holds exactly ${expected[*]} in brezzolo-$version/" \
    [ "$contents" = "$(printf "brezzolo-$version/%s\n" "${expected[@]}" | sort)" ]
check "LEGGIMI.txt names this version" \
    grep -q "Brezzolo $version " <(unzip -p "$portable" "brezzolo-$version/LEGGIMI.txt")

echo "installer test: $(($(date +%s) - started)) s"
echo "Installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
