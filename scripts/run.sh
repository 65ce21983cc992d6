#!/usr/bin/env bash
# Builds Mapwell, installs it with its setup program (silently) into a fresh
# Wine prefix (build/run-prefix) that has the subst stand-in, so that mapping
# really works, and runs the installed copy; setup makes the data folder and
# state file. Without a display it runs on a virtual one, saves a screenshot to
# build/mapwell.png and ends; with a display it runs until you close it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/build.sh windows
prefix=$root/build/run-prefix
scripts/wine-prefix.sh "$prefix" --bin build/windows/tools >build/run-prefix.log

source scripts/xvfb.sh
source scripts/wine-common.sh
export WINEPREFIX=$prefix WINEDEBUG=-all
version=$(sed -n 's/^project(Mapwell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
run_wine build/run-install.log "build/windows/Mapwell-$version-Setup.exe" /S ||
    die "setup failed; see build/run-install.log"
users=("$prefix"/drive_c/users/*/AppData/Local/Programs/Mapwell/Mapwell.exe)
[[ ${#users[@]} -eq 1 && -f ${users[0]} ]] || die "setup did not install Mapwell.exe"
user=${users[0]#"$prefix"/drive_c/users/}
user=${user%%/*}
# On the virtual display the pointer rests in the middle, over the folder list,
# whose tool tip would then cover part of the picture: it goes to a corner.
[[ -z $STARTED_XVFB ]] || xdotool mousemove 0 0
# Mapwell starts in the folder list at the root of the current drive: C:.
cd "$prefix/drive_c"
wine "C:\\users\\$user\\AppData\\Local\\Programs\\Mapwell\\Mapwell.exe" </dev/null >"$root/build/run.log" 2>&1 &
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
