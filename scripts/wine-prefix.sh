#!/usr/bin/env bash
# Makes a fresh Wine prefix for Mapwell's bench: the subst.exe stand-in installed over Wine's
# stub, winedrive.exe beside it, window frames drawn by Wine (plain Xvfb has no window manager),
# and optional fixtures.
#
# usage: scripts/wine-prefix.sh PREFIX [--bin DIR] [--version win98|winxp|vista|win7|win10]
#                               [--state-file] [--drive X:fixed|cdrom|network:WINDOWS_FOLDER]...
#
#   --bin DIR      where subst.exe and winedrive.exe are; default build/windows/tools of this repo
#                  (the "windows" CMake preset's tools folder)
#   --version V    HKCU\Software\Wine Version, i.e. what GetVersionEx reports
#   --state-file   %APPDATA%\Quillon Software\Mapwell\himem32.mwl: 2,500 bytes, zero but for
#                  00 00 00 08 (0x08000000 little-endian) at offset 1,366
#   --drive ...    repeatable; the folder is created inside the prefix if missing
#
# PREFIX is always wiped and made anew, so running twice gives the same prefix. To keep that from
# eating anything else, an existing PREFIX must be empty or look like a Wine prefix.
# Ends with the prefix's wineserver stopped: no background Wine process keeps the caller's
# pipes open.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/wine-common.sh
source "$here/wine-common.sh"

usage() {
    sed -n '/^# usage/,/^# *--drive/s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
    exit 2
}

[[ $# -ge 1 && $1 != -* ]] || usage
prefix=$1
shift
bin="$here/../build/windows/tools"
version=""
state_file=0
drives=()
while [[ $# -gt 0 ]]; do
    case $1 in
    --bin) bin=${2:?--bin needs a folder}; shift 2 ;;
    --version)
        version=${2:?--version needs a value}
        [[ $version =~ ^(win98|winxp|vista|win7|win10)$ ]] || die "unknown version $version"
        shift 2
        ;;
    --state-file) state_file=1; shift ;;
    --drive)
        fixture=${2:?--drive needs X:TYPE:FOLDER}
        [[ $fixture =~ ^[A-Za-z]:(fixed|cdrom|network):[A-Za-z]:\\ ]] ||
            die "--drive wants X:fixed|cdrom|network:C:\\folder, got $fixture"
        drives+=("$fixture")
        shift 2
        ;;
    *) usage ;;
    esac
done

for exe in subst.exe winedrive.exe; do
    [[ -f $bin/$exe ]] || die "$bin/$exe not found (build the windows preset or pass --bin)"
done

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
if [[ -n $(ls -A "$prefix") && ! -f $prefix/system.reg ]]; then
    die "$prefix is neither empty nor a Wine prefix; not wiping it"
fi
[[ $prefix != / && $prefix != "$HOME" ]] || die "refusing to use $prefix as a prefix"

export WINEPREFIX=$prefix WINEDEBUG=-all
start=$(date +%s.%N)

# A server left running on the old prefix would write its registry back into the new one.
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
log=$(mktemp -d)
# Also on failure: a server left behind would keep the caller's pipes open.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$log"' EXIT

run_wine "$log/boot" wineboot --init || die "wineboot failed: $(cat "$log/boot")"
wineserver -w
echo "prefix $prefix created in $(elapsed "$start") s"

system32=$prefix/drive_c/windows/system32
cp "$bin/subst.exe" "$bin/winedrive.exe" "$system32/"
{
    echo 'REGEDIT4'
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]'
    echo '"subst.exe"="native"'
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
    echo '"Decorated"="N"'
    # Without a window manager, hiding a managed window makes Wine wait two
    # seconds for a state change that never comes; unmanaged windows close at once.
    echo '"Managed"="N"'
    if [[ -n $version ]]; then
        echo
        echo '[HKEY_CURRENT_USER\Software\Wine]'
        echo "\"Version\"=\"$version\""
    fi
} >"$prefix/drive_c/bench-settings.reg"
run_wine "$log/reg" reg import 'C:\bench-settings.reg' ||
    die "registry import failed: $(cat "$log/reg")"
rm "$prefix/drive_c/bench-settings.reg"
echo "installed subst.exe stand-in (DllOverrides subst.exe=native) and winedrive.exe" \
    "in C:\\windows\\system32; X11 Driver Decorated=N, Managed=N"
[[ -z $version ]] || echo "Windows version set to $version"

# Proves the override took: Wine's own stub would leave no log line.
probe='C:\bench-probe.log'
SUBST_STANDIN_LOG=$probe run_wine "$log/probe" subst.exe ||
    die "stand-in failed its first run: $(cat "$log/probe")"
[[ -s $prefix/drive_c/bench-probe.log ]] || die "subst.exe is not the stand-in (override ignored)"
rm "$prefix/drive_c/bench-probe.log"

if ((state_file)); then
    users=("$prefix"/drive_c/users/*/AppData/Roaming)
    [[ ${#users[@]} -eq 1 && -d ${users[0]} ]] || die "cannot tell the prefix's user folder"
    dir="${users[0]}/Quillon Software/Mapwell"
    mkdir -p "$dir"
    head -c 2500 /dev/zero >"$dir/himem32.mwl"
    printf '\x00\x00\x00\x08' | dd of="$dir/himem32.mwl" bs=1 seek=1366 conv=notrunc status=none
    echo "state file ${dir#"$prefix"/}/himem32.mwl written"
fi

for fixture in "${drives[@]}"; do
    letter=${fixture:0:1}
    letter=${letter^^}
    rest=${fixture:2}
    type=${rest%%:*}
    folder=${rest#*:}
    mkdir -p "$(unix_path_of "$folder")"
    run_wine "$log/drive" winedrive.exe "$letter:" "$type" "$folder" ||
        die "winedrive $letter: $type $folder failed: $(cat "$log/drive")"
    echo "drive $letter: ($type) => $folder"
done

wineserver -k
echo "done in $(elapsed "$start") s; wineserver stopped"
