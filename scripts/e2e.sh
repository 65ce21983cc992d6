#!/usr/bin/env bash
# Runs the end-to-end tests: the real Mapwell.exe under Wine, driven from a
# second Windows process (build/windows/mapwell_e2e.exe), in a fresh prefix
# with the subst stand-in and fixture drives, on a virtual display when there
# is no display. Extra arguments go to the driver (e.g. --gtest_filter=...).
# Screenshots land in build/screenshots/ as PNG files. E2E_NAME (default e2e)
# names the prefix, log and screenshot folder, so two runs can go side by side.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
win=build/windows
name=${E2E_NAME:-e2e}
prefix=$root/build/$name-prefix
shots=$root/build/screenshots
[[ $name == e2e ]] || shots=$root/build/$name-screenshots

# The fixture drives: a network share, a CD-ROM, a second fixed disk and a
# disk whose root holds nothing.
scripts/wine-prefix.sh "$prefix" --bin "$win/tools" --state-file \
    --drive 'N:network:C:\fixtures\share' \
    --drive 'R:cdrom:C:\fixtures\cd' \
    --drive 'F:fixed:C:\fixtures\fixed' \
    --drive 'Y:fixed:C:\fixtures\empty' >"build/$name-prefix.log"

source scripts/xvfb.sh
source scripts/wine-common.sh
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n $STARTED_XVFB ]] && kill "$STARTED_XVFB" 2>/dev/null || true
}
trap cleanup EXIT

winpath() { echo "Z:${1//\//\\}"; }
rm -rf "$shots" && mkdir -p "$shots"
export MAPWELL_EXE=$(winpath "$root/$win/Mapwell.exe")
export MAPWELL_SCREENSHOTS=$(winpath "$shots")
export E2E_NETWORK_LETTER=N E2E_CDROM_LETTER=R E2E_FIXED_LETTER=F E2E_EMPTY_LETTER=Y
export SUBST_STANDIN_LOG='C:\subst-log.txt'

status=0
run_wine "build/$name.log" "$win/mapwell_e2e.exe" "$@" || status=$?
cat "build/$name.log"
for bmp in "$shots"/*.bmp; do
    [[ -e $bmp ]] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
exit $status
