#!/usr/bin/env bash
# The Debian package: CPack makes it from this build into a scratch folder, dpkg -x unpacks it
# there, and the test checks what it carries, what it depends on, and that its command-line
# programs and the desktop entry's launcher work.
# usage: package_test.sh BUILD_FOLDER SOURCE_FOLDER VERSION
set -euo pipefail
build=$1
source=$2
version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not make the package"
fi
deb=("$scratch"/out/brezzolo_"$version"_*.deb)
[ -f "${deb[0]}" ] || fail "no brezzolo_${version}_*.deb in $(ls "$scratch/out")"

# The dependencies dpkg-shlibdeps found: the Qt libraries of the window program among them.
depends=$(dpkg-deb -f "${deb[0]}" Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libstdc++6 libc6; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# Exactly these files, nothing more (no tests, benchmarks, libraries or headers).
root="$scratch/root"
dpkg -x "${deb[0]}" "$root"
expected="usr/bin/brezzolo
usr/bin/brezzolo-headless
usr/bin/brezzolo-launcher
usr/bin/brezzolo-station-sim
usr/share/applications/brezzolo.desktop
usr/share/doc/brezzolo/copyright"
for size in 16 24 32 48 64 128 256; do
    expected+=$'\n'"usr/share/icons/hicolor/${size}x${size}/apps/brezzolo.png"
done
expected+=$'\n'"usr/share/icons/hicolor/scalable/apps/brezzolo.svg"
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<<"$expected")
if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "the package carries other files than expected (< expected, > found)"
fi
cmp -s "$root/usr/share/doc/brezzolo/copyright" "$source/LICENSE" ||
    fail "copyright is not the LICENSE"

for program in brezzolo-headless brezzolo-station-sim; do
    [ "$("$root/usr/bin/$program" --version)" = "$program $version" ] ||
        fail "$program --version"
done

# The desktop entry runs the launcher, which starts the brezzolo beside it in the user's own
# folder, made when missing; here a stand-in brezzolo tells where it was started.
grep -qx "Exec=brezzolo-launcher" "$root/usr/share/applications/brezzolo.desktop" ||
    fail "the desktop entry does not run brezzolo-launcher"
mkdir "$scratch/bin"
cp "$root/usr/bin/brezzolo-launcher" "$scratch/bin/"
printf '#!/bin/sh\npwd\n' >"$scratch/bin/brezzolo"
chmod +x "$scratch/bin/brezzolo"
launched_in() {
    (cd / && env "$@" "$scratch/bin/brezzolo-launcher")
}
home="$scratch/home with blank"
mkdir "$home"
[ "$(launched_in HOME="$home" XDG_DATA_HOME="$scratch/data")" = "$scratch/data/brezzolo" ] ||
    fail "the launcher does not start brezzolo in \$XDG_DATA_HOME/brezzolo"
for setting in "XDG_DATA_HOME=" "XDG_DATA_HOME=relative"; do
    [ "$(launched_in HOME="$home" "$setting")" = "$home/.local/share/brezzolo" ] ||
        fail "with $setting the launcher does not use ~/.local/share/brezzolo"
done
echo "package ${deb[0]##*/} carries what it should"
