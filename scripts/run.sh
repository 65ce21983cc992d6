#!/usr/bin/env bash
# Builds Mapwell and runs it under Wine in a fresh prefix (build/run-prefix)
# that holds its data folder and state file and the subst stand-in, so that
# mapping really works. Without a display it runs on a virtual one, saves a
# screenshot to build/mapwell.png and ends; with a display it runs until you
# close it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/build.sh windows
prefix=$root/build/run-prefix
scripts/wine-prefix.sh "$prefix" --bin build/windows/tools --state-file >build/run-prefix.log

source scripts/xvfb.sh
source scripts/wine-common.sh
export WINEPREFIX=$prefix WINEDEBUG=-all
# Mapwell starts in the folder list at the root of the current drive: C:.
cd "$prefix/drive_c"
wine "$root/build/windows/Mapwell.exe" </dev/null >"$root/build/run.log" 2>&1 &
cd "$root"

window=
for _ in $(seq 1 400); do
    window=$(xdotool search --name '^Mapwell - Pro$' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    sleep 0.05
done
[[ -n $window ]] || { echo "run: the Mapwell window did not appear" >&2; exit 1; }
sleep 0.5 # let the first paint finish before the picture is taken
import -window "$window" build/mapwell.png
echo "run: Mapwell is running (window $window on $DISPLAY); screenshot: build/mapwell.png"

if [[ -n $STARTED_XVFB ]]; then
    wineserver -k || true
    kill "$STARTED_XVFB" 2>/dev/null || true
else
    wineserver -w
fi
