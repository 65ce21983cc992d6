#!/usr/bin/env bash
# End-to-end check of the subst.exe stand-in, in a fresh prefix made by scripts/wine-prefix.sh.
# usage: tools/subst/test-standin.sh [BIN_DIR]   (default: build/windows/tools)
# The prefix is left in BIN_DIR/standin-test-prefix for a look after a failure.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=scripts/wine-common.sh
source "$repo/scripts/wine-common.sh"

bin=$(cd "${1:-$repo/build/windows/tools}" && pwd)
# Wine derives the code pages from the locale; C.UTF-8 gives ANSI 1252 and OEM 437, which the
# listing of the accented folder names below is written in.
export LC_ALL=C.UTF-8
export WINEPREFIX=$bin/standin-test-prefix WINEDEBUG=-all
unset SUBST_STANDIN_LOG
start=$(date +%s.%N)

work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

bash "$repo/scripts/wine-prefix.sh" "$WINEPREFIX" --bin "$bin" >"$work/prefix.log" 2>&1 ||
    die "wine-prefix.sh failed: $(cat "$work/prefix.log")"
drive_c=$WINEPREFIX/drive_c

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
        sed 's/^/    stdout: /' "$work/out" >&2
        sed 's/^/    stderr: /' "$work/err" >&2
    fi
}

# w PROGRAM ARGS...: wine PROGRAM ARGS (PROGRAM as wine_program gives it) with stdout, stderr
# and exit code in $work/out, $work/err and $rc.
w() {
    rc=0
    local program
    program=$(wine_program "$1")
    shift
    wine "$program" "$@" </dev/null >"$work/out" 2>"$work/err" || rc=$?
}

succeeded() { [[ $rc -eq 0 ]]; }
# The system command's failures are one line on stderr and a nonzero exit code.
failed_with() { [[ $rc -ne 0 && $(grep -c . "$work/err") -eq 1 ]] && grep -q -- "$1" "$work/err"; }
# drive_type X: the GetDriveType code another process sees for X:.
drive_type() {
    wine "$(wine_program winedrive.exe)" "$1" /info </dev/null >"$work/info" 2>&1 || true
    sed -n 's/^type=\([0-9]*\) .*/\1/p' "$work/info"
}
is_type() { [[ $(drive_type "$1") == "$2" ]]; }
# named X NAME: QueryDosDevice answers NAME for X:, as for a drive the system's subst maps.
named() { drive_type "$1" >/dev/null && grep -qF "device=\"$2\"" "$work/info"; }
# listing_is LINE...: `subst` prints exactly these lines, CR LF each, in the OEM code page (437).
listing_is() {
    w subst.exe
    local line
    for line in "$@"; do printf '%s\r\n' "$line"; done | iconv -f UTF-8 -t CP437 >"$work/want"
    [[ $rc -eq 0 ]] && cmp -s "$work/want" "$work/out"
}

# Folders. The hard one has the characters cmd.exe treats specially that a folder name can hold,
# accents from the ANSI code page, an apostrophe and more than 200 characters.
mkdir -p "$drive_c/some folder/sub"
echo one >"$drive_c/some folder/file1.txt"
touch "$drive_c/plain file.txt"
hard='C:\Hard & Co ^ 100% (draft)! a=b; c,d café ñ'\''s'"\\$(printf 'x%.0s' {1..90}) nested\\$(printf 'y%.0s' {1..80})"
hard_unix=$(unix_path_of "$hard")
mkdir -p "$hard_unix"
echo two >"$hard_unix/inside.txt"
[[ ${#hard} -gt 200 ]] || die "hard folder name too short: ${#hard}"

# --- mapping ---
check "nothing listed in a new prefix" listing_is
w subst.exe E: 'C:\some folder'
check "map E: to a folder with a blank" succeeded
check "E: is a fixed drive" is_type E: 3
check "E: is named by its folder, as subst names it" named E: '\??\C:\some folder'
w cmd /C "dir E:\\"
check "dir E:\\ shows the folder's files" grep -q 'file1.txt' "$work/out"
check "listing shows E:" listing_is 'E:\: => C:\some folder'

w subst.exe q: "$hard"
check "map lowercase q: to the hard folder" succeeded
w cmd /C 'type Q:\inside.txt'
check "a file in the hard folder is read through Q:" grep -q two "$work/out"
check "listing sorted, folders as given" listing_is 'E:\: => C:\some folder' "Q:\\: => $hard"

# Arguments are wide text: names outside the ANSI code page arrive whole.
greek='C:\Ελληνικά και Кириллица'
mkdir -p "$(unix_path_of "$greek")"
echo three >"$(unix_path_of "$greek")/inside.txt"
w subst.exe G: "$greek"
check "map G: to a Greek and Cyrillic folder" succeeded
w cmd /C 'type G:\inside.txt'
check "a file in that folder is read through G:" grep -q three "$work/out"
w subst.exe G: /D
check "G: /D" succeeded

# Mapwell reads the list from a file that cmd.exe redirects into.
w cmd.exe /C 'subst.exe > C:\listing.txt'
check "cmd /C subst.exe > file: same bytes" cmp -s "$work/want" "$drive_c/listing.txt"

# --- refusals; each must leave everything as it was ---
w subst.exe E: 'C:\some folder\sub'
check "a letter the stand-in uses" failed_with 'in use'
w subst.exe C: 'C:\some folder'
check "a letter of the prefix (C:)" failed_with 'in use'
w subst.exe K: 'C:\no such folder'
check "a missing folder" failed_with 'Path not found'
w subst.exe K: 'C:\plain file.txt'
check "a file, not a folder" failed_with 'Path not found'
w subst.exe K: 'C:"'
check 'C:" (what "C:\" becomes)' failed_with 'Path not found'
w subst.exe K:
check "a letter alone" failed_with 'parameters'
w subst.exe K: C:\\some folder
check "an unquoted folder with a blank" failed_with 'parameters'
w subst.exe KK: 'C:\some folder'
check "a malformed letter" failed_with 'Invalid parameter'
w subst.exe 1: 'C:\some folder'
check "a digit for a letter" failed_with 'Invalid parameter'
w subst.exe K: /X
check "an unknown switch" failed_with 'Invalid switch'
check "no K: after the refusals" is_type K: 1
w subst.exe C: /D
check "/D on C:" failed_with 'Invalid parameter'
w subst.exe Z: /D
check "/D on Z:" failed_with 'Invalid parameter'
w subst.exe K: /D
check "/D on a free letter" failed_with 'Invalid parameter'
check "C: still there" is_type C: 3
check "Z: still there" is_type Z: 3
check "listing unchanged by the refusals" listing_is 'E:\: => C:\some folder' "Q:\\: => $hard"

# --- the record and the mounts outlive the wineserver ---
wineserver -k
wineserver -w
check "E: is a drive again before the stand-in runs" is_type E: 3
check "listing after wineserver -k" listing_is 'E:\: => C:\some folder' "Q:\\: => $hard"
# A letter that vanished behind the stand-in's back is put back on its next run.
w winedrive.exe E: /remove
check "winedrive took E: away" is_type E: 1
check "listing after E: vanished" listing_is 'E:\: => C:\some folder' "Q:\\: => $hard"
check "E: is back" is_type E: 3

# --- removal ---
w subst.exe E: /D
check "E: /D" succeeded
check "E: gone" is_type E: 1
check "E: has no name left" named E: ''
w subst.exe q: /d
check "q: /d" succeeded
check "Q: gone" is_type Q: 1
check "nothing listed after removals" listing_is
no_links() { [[ ! -e $WINEPREFIX/dosdevices/e: && ! -L $WINEPREFIX/dosdevices/q: ]]; }
check "dosdevices links removed" no_links

# --- the log holds each command line exactly as the launcher wrote it ---
# A batch file lets us choose the command lines byte for byte, spacing and program part included.
printf '%s\r\n' \
    'subst.exe K: "C:\"' \
    'subst.exe   k:   "C:\some folder"' \
    'C:\windows\system32\subst.exe K: /D' \
    'subst.exe' >"$drive_c/log-test.bat"
export SUBST_STANDIN_LOG='C:\standin.log'
w cmd /C 'C:\log-test.bat'
unset SUBST_STANDIN_LOG
printf '%s\r\n' \
    'subst.exe K: "C:\"' \
    'subst.exe   k:   "C:\some folder"' \
    'C:\windows\system32\subst.exe K: /D' \
    'subst.exe' >"$work/want"
check "log holds the exact command lines" cmp -s "$work/want" "$drive_c/standin.log"
check '"C:\" from a batch line fails as C:"' grep -q 'Path not found - C:"' "$work/err"
check "no K: after the logged map and /D" is_type K: 1

wineserver -k
total=$((passed + failed))
echo "subst stand-in: $total checks in $(elapsed "$start") s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
