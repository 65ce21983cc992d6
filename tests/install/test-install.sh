#!/usr/bin/env bash
# Installs Mapwell with its setup program under Wine, silently, into a fresh prefix that has no
# state file; starts the installed copy; installs again over a changed state file; uninstalls;
# installs once more with AppData redirected, the older state file left in the default folder.
# Runs on a virtual display when there is none.
#
# usage: tests/install/test-install.sh [SETUP_EXE [BIN_DIR]]
#   SETUP_EXE  default build/windows/Mapwell-<version>-Setup.exe; Mapwell.exe and mwl.chm beside
#              it, when there, must be what gets installed
#   BIN_DIR    subst.exe and winedrive.exe for scripts/wine-prefix.sh; default build/windows/tools
# The prefix is left in install-test-prefix beside SETUP_EXE for a look after a failure.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=scripts/wine-common.sh
source "$repo/scripts/wine-common.sh"

version=$(sed -n 's/^project(Mapwell VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
[[ -n $version ]] || die "no version in $repo/CMakeLists.txt"
setup=${1:-$repo/build/windows/Mapwell-$version-Setup.exe}
[[ -f $setup ]] || die "$setup not found (build the windows preset)"
setup=$(cd "$(dirname "$setup")" && pwd)/$(basename "$setup")
built=$(dirname "$setup")
bin=${2:-$repo/build/windows/tools}

export WINEPREFIX=$built/install-test-prefix WINEDEBUG=-all
start=$(date +%s.%N)
work=$(mktemp -d)
mapwell_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n $mapwell_pid ]] && wait "$mapwell_pid" 2>/dev/null
    [[ -n ${STARTED_XVFB:-} ]] && kill "$STARTED_XVFB" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

bash "$repo/scripts/wine-prefix.sh" "$WINEPREFIX" --bin "$bin" >"$work/prefix.log" 2>&1 ||
    die "wine-prefix.sh failed: $(cat "$work/prefix.log")"
# shellcheck source=scripts/xvfb.sh
source "$repo/scripts/xvfb.sh"

homes=("$WINEPREFIX"/drive_c/users/*/AppData/Roaming)
[[ ${#homes[@]} -eq 1 && -d ${homes[0]} ]] || die "cannot tell the prefix's user folder"
roaming=${homes[0]}
profile=${roaming%/AppData/Roaming}
user=${profile##*/}
program_dir=$profile/AppData/Local/Programs/Mapwell
program_win="C:\\users\\$user\\AppData\\Local\\Programs\\Mapwell"
shortcut="$roaming/Microsoft/Windows/Start Menu/Programs/Mapwell.lnk"
data_dir="$roaming/Quillon Software/Mapwell"
state="$data_dir/himem32.mwl"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mapwell'

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name" >&2
    fi
}

# state_image FILE B0 B1 B2 B3: 2,500 bytes, zero but for the four mask bytes at 1,366.
state_image() {
    local out=$1 mask="" byte
    shift
    for byte in "$@"; do mask+=$(printf '\\%03o' "$byte"); done
    { head -c 1366 /dev/zero && printf '%b' "$mask" && head -c 1130 /dev/zero; } >"$out"
}

# reg_value NAME: the data of one value from the last `reg query` of the uninstall key.
reg_value() {
    tr -d '\r' <"$work/key.txt" | awk -v name="$1" '
        { sub(/^ +/, "") }
        index($0, name " ") == 1 {
            rest = substr($0, length(name) + 1); sub(/^ +/, "", rest)
            type = rest; sub(/ .*/, "", type)
            data = substr(rest, length(type) + 1); sub(/^ +/, "", data)
            print data; exit
        }'
}
value_is() {
    local got
    got=$(reg_value "$1")
    [[ $got == "$2" ]] || { echo "    $1 is [$got], expected [$2]" >&2; return 1; }
}

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds; false when the time runs out.
wait_for() {
    local deadline
    deadline=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        (($(date +%s%N) < deadline)) || return 1
        sleep 0.1
    done
}
window() { xdotool search --name "$1" >/dev/null 2>&1; }
missing() { [[ ! -e $1 ]]; }
key_missing() { ! run_wine "$work/gone.txt" reg query "$key"; }
same_text() { tr -d '\r' <"$1" | cmp -s - "$2"; }
# The installed folder in KB, as setup's GetSize /S=0K counts it.
folder_kb() { find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }'; }

# The manifest inside an exe, as text: windres turns its resources into rc source, where the
# manifest (id 1, type 24) is a list of quoted strings.
manifest_of() {
    x86_64-w64-mingw32-windres -J coff -O rc -i "$1" -o "$work/res.rc" || return 1
    awk '/^1 24 / { f = 1; next } f && /^END/ { exit }
         f && /^ *"/ { sub(/^ *"/, ""); sub(/"$/, ""); gsub(/\\n/, "\n"); gsub(/""/, "\""); printf "%s", $0 }' \
        "$work/res.rc"
}
as_invoker() {
    manifest_of "$1" >"$work/manifest.xml" &&
        grep -Eq '<requestedExecutionLevel[^>]*level="asInvoker"' "$work/manifest.xml"
}

# --- (a) silent install into a prefix without a state file
check "no state file before setup" missing "$state"
t=$(date +%s.%N)
run_wine "$work/install.log" "$setup" /S
rc=$?
install_time=$(elapsed "$t")
check "setup /S exits with 0 (got $rc)" test "$rc" -eq 0
for f in Mapwell.exe mwl.chm License.txt ReadMe.txt Uninstall.exe; do
    check "installed $f" test -s "$program_dir/$f"
done
for f in Mapwell.exe mwl.chm; do
    [[ -f $built/$f ]] && check "installed $f is the built one" cmp -s "$built/$f" "$program_dir/$f"
done
check "installed licence is installer/License.txt" \
    same_text "$program_dir/License.txt" "$repo/installer/License.txt"
check "Start-menu shortcut" test -s "$shortcut"
check "shortcut points at the installed Mapwell.exe" \
    grep -aqF "$program_win\\Mapwell.exe" "$shortcut"
# Its working folder, a UTF-16 string after its length: Mapwell starts there.
starts_in() {
    strings -el "$shortcut" | D=$1 awk '$0 == ENVIRON["D"] || substr($0, 2) == ENVIRON["D"] { f = 1 }
                                     END { exit !f }'
}
check "shortcut starts Mapwell in the program folder" starts_in "$program_win"
run_wine "$work/key.txt" reg query "$key"
check "uninstall key exists" test $? -eq 0
check "DisplayName" value_is DisplayName "Mapwell - Pro"
check "DisplayVersion" value_is DisplayVersion "$version"
check "Publisher" value_is Publisher "Quillon Software"
check "DisplayIcon" value_is DisplayIcon "$program_win\\Mapwell.exe,0"
check "InstallLocation" value_is InstallLocation "$program_win"
check "UninstallString" value_is UninstallString "\"$program_win\\Uninstall.exe\""
check "QuietUninstallString" value_is QuietUninstallString "\"$program_win\\Uninstall.exe\" /S"
check "NoModify" value_is NoModify 0x1
check "NoRepair" value_is NoRepair 0x1
size=$(reg_value EstimatedSize)
kb=$(folder_kb "$program_dir")
check "EstimatedSize ($size) is the folder's size in KB ($kb)" \
    test "$((${size:-0}))" -gt 0 -a "$((${size:-0} - kb))" -le 1 -a "$((kb - ${size:-0}))" -le 1
state_image "$work/initial.mwl" 0 0 0 8
check "state file is the initial 2,500 bytes" cmp "$work/initial.mwl" "$state"
quiet=$(reg_value QuietUninstallString)

# --- (e) the installed program never asks for elevation
check "installed Mapwell.exe's manifest requests asInvoker" as_invoker "$program_dir/Mapwell.exe"

# --- (b) the installed copy starts (no error 255 for a missing state file)
# start_mapwell: starts the installed copy; $seen says which window came (main, error, nothing).
start_mapwell() {
    seen=
    [[ -f $program_dir/Mapwell.exe ]] || return
    # Mapwell starts in the folder list at the root of the current drive.
    (cd "$WINEPREFIX/drive_c" && exec wine "$program_win\\Mapwell.exe" </dev/null >"$work/mapwell.log" 2>&1) &
    mapwell_pid=$!
    t=$(date +%s.%N)
    seen_window() {
        if window '^ERROR!$'; then seen=error; elif window '^Mapwell - Pro$'; then seen=main; fi
        [[ -n $seen ]]
    }
    wait_for 30 seen_window
    start_time=$(elapsed "$t")
    # Give a late error box the chance to show before it is ruled out.
    if [[ $seen == main ]] && wait_for 1 window '^ERROR!$'; then seen="main, then error"; fi
    wineserver -k 2>/dev/null
    wait "$mapwell_pid" 2>/dev/null
    mapwell_pid=
}
start_mapwell
check "installed Mapwell shows its main window (saw: ${seen:-nothing})" test "$seen" = main

# --- (c) a reinstall keeps the user's state file
state_image "$work/changed.mwl" 0 0 0x80 8
mkdir -p "$data_dir" && cp "$work/changed.mwl" "$state"
run_wine "$work/reinstall.log" "$setup" /S
check "second setup /S exits with 0" test $? -eq 0
check "reinstall keeps the state file (mask 0x08800000)" cmp "$work/changed.mwl" "$state"
check "reinstall keeps Mapwell.exe" test -s "$program_dir/Mapwell.exe"

# --- (d) silent uninstall, run as Apps & features would: the quiet uninstall command
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
run_wine "$work/uninstall.log" "$uninstaller" /S
check "uninstaller /S starts" test $? -eq 0
# The uninstaller runs from a copy in %TEMP% and returns at once: wait for that copy, and for
# every other process of the prefix, to end.
check "the uninstaller ends" timeout 120 wineserver -w
check "uninstall removes the program folder" missing "$program_dir"
check "uninstall removes the uninstall key" key_missing
check "uninstall removes the shortcut" missing "$shortcut"
check "uninstall keeps the data folder" test -d "$data_dir"
check "uninstall keeps the state file" cmp "$work/changed.mwl" "$state"

# --- (f) an upgrade with AppData redirected: the older state file stays in the profile's
# default AppData folder, where start-up finds it, and setup puts no fresh one in its way.
first_start=$start_time
redirected=$WINEPREFIX/drive_c/redirected/AppData
mkdir -p "$redirected"
run_wine "$work/redirect.log" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v AppData /t REG_EXPAND_SZ /d 'C:\redirected\AppData' /f
run_wine "$work/upgrade.log" "$setup" /S
check "setup /S with AppData redirected exits with 0" test $? -eq 0
check "setup puts no state file in the redirected AppData" \
    missing "$redirected/Quillon Software/Mapwell/himem32.mwl"
check "the older state file stays as it was (mask 0x08800000)" cmp "$work/changed.mwl" "$state"
start_mapwell
check "Mapwell starts from the older state file (saw: ${seen:-nothing})" test "$seen" = main
start_time=$first_start

echo "setup: $(stat -c %s "$setup") bytes; silent install ${install_time} s;" \
    "Mapwell window after ${start_time:-?} s; whole test $(elapsed "$start") s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
