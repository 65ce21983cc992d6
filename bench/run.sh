#!/usr/bin/env bash
# Measures Mapwell and prints two tables: start-up against two floors (an empty Win32 window,
# and the same window with Mapwell's DLLs, manifest and common controls), the letter scan
# against bare GetDriveTypeW calls, the processor time of the fixed waits, the footprint, and
# the logic's cost per batch-file line on the host; then start-up step by step, from builds of
# Mapwell and the floors that time their steps (bench/steps/), started in the same runs.
#
# Builds what it needs (both presets), makes a fresh Wine prefix (build/bench-prefix) with the
# subst stand-in, the state file and fixture drives, and runs the Windows side on a virtual
# display when there is none. Logs: build/bench-*.log. Takes two to three minutes.
#
# usage: bench/run.sh [--runs N]    N start-ups of each program (default 12, at least 10)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/wine-common.sh

runs=12
while [[ $# -gt 0 ]]; do
    case $1 in
    --runs) runs=${2:?--runs needs a number}; shift 2 ;;
    *) sed -n 's/^# usage: //p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
    esac
done
[[ $runs =~ ^[0-9]+$ ]] && ((runs >= 10)) || die "--runs wants a number of at least 10"
scans=1000
operations=3 # Adds, then Restores

say() { echo "bench: $*" >&2; }

grep -q '^ *add_subdirectory(bench)' CMakeLists.txt ||
    die "the top-level CMakeLists.txt does not add bench/ (add_subdirectory(bench) at its end)"

scripts/deps.sh
mkdir -p build
win=build/windows
say "building (windows and native presets; log build/bench-build.log)"
{
    cmake --preset windows &&
        cmake --build --preset windows -j 2 --target Mapwell subst_standin winedrive \
            empty_window dll_floor mapwell_probe letter_scan_bench \
            mapwell_steps empty_window_steps dll_floor_steps &&
        cmake --preset native &&
        cmake --build --preset native -j 2 --target mapwell_native_bench
} >build/bench-build.log 2>&1 || die "build failed; see build/bench-build.log"

say "native benchmarks (log build/bench-native.log)"
build/native/bench/mapwell_native_bench >build/bench-native.log 2>&1 ||
    die "native benchmarks failed; see build/bench-native.log"

say "fresh prefix build/bench-prefix"
prefix=$root/build/bench-prefix
scripts/wine-prefix.sh "$prefix" --bin "$win/tools" --state-file \
    --drive 'N:network:C:\fixtures\share' \
    --drive 'R:cdrom:C:\fixtures\cd' \
    --drive 'F:fixed:C:\fixtures\fixed' >build/bench-prefix.log 2>&1 ||
    die "prefix failed; see build/bench-prefix.log"

source scripts/xvfb.sh
export WINEPREFIX=$prefix WINEDEBUG=-all
spinner=
cleanup() {
    [[ -n $spinner ]] && kill "$spinner" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [[ -n $STARTED_XVFB ]] && kill "$STARTED_XVFB" 2>/dev/null || true
}
trap cleanup EXIT

winpath() { echo "Z:${1//\//\\}"; }
export MAPWELL_EXE=$(winpath "$root/$win/Mapwell.exe")
floor_exe=$root/$win/bench/empty_window.exe
dll_floor_exe=$root/$win/bench/dll_floor.exe

imports() { # EXE: the DLLs it imports, one line, lower case, sorted
    x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }' | sort | xargs
}
# A floor that loads less than Mapwell would flatter nobody but Mapwell.
[[ $(imports "$win/Mapwell.exe") == $(imports "$dll_floor_exe") ]] ||
    die "the same-DLL floor imports $(imports "$dll_floor_exe"), Mapwell.exe $(imports "$win/Mapwell.exe"):" \
        "make bench/floor/empty_window.cpp link one function of each DLL Mapwell.exe imports"

# Plain Xvfb has no window manager, so Wine waits 2 s for every closed box to be withdrawn by
# one; that would count as part of Mapwell's own waits. Unmanaged windows are not waited for.
run_wine build/bench-settle.log reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f ||
    die "registry change failed; see build/bench-settle.log"
# That first call started the prefix's services; they must be idle before anything is timed.
run_wine build/bench-settle.log "$win/bench/mapwell_probe.exe" settle ||
    die "settle failed; see build/bench-settle.log"

load_before=$(cut -d' ' -f1 /proc/loadavg)
startup_probe() { # LOG
    run_wine "$1" "$win/bench/mapwell_probe.exe" startup "$MAPWELL_EXE" "$(winpath "$floor_exe")" \
        "$(winpath "$dll_floor_exe")" "$runs" "$(winpath "$root/$win/bench")" ||
        die "start-up probe failed; see $1"
}
say "start-up, idle machine: $runs runs of Mapwell and of the floors (log build/bench-startup-idle.log)"
startup_probe build/bench-startup-idle.log

# On this kind of machine (a VM) a virtual CPU that has gone idle takes a long time to wake,
# and every Wine call crosses processes (wineserver, the mount manager, the X server): an idle
# machine makes Mapwell's start-up about three times as long, the floor's hardly at all. A
# spinner at the lowest priority keeps one CPU awake and gives way to anything else.
nice -n 19 bash -c 'while :; do :; done' &
spinner=$!

say "letter scan: $scans scans (log build/bench-scan.log)"
run_wine build/bench-scan.log "$win/bench/letter_scan_bench.exe" "$scans" ||
    die "letter scan failed; see build/bench-scan.log"
say "start-up: $runs runs of Mapwell and of the floors (log build/bench-startup.log)"
startup_probe build/bench-startup.log
say "waits: $operations Adds and $operations Restores of 5 drives (log build/bench-waits.log)"
run_wine build/bench-waits.log "$win/bench/mapwell_probe.exe" waits "$operations" ||
    die "wait probe failed; see build/bench-waits.log"
kill "$spinner"
spinner=
load_after=$(cut -d' ' -f1 /proc/loadavg)

# --- reading the RESULT lines ---------------------------------------------------------------

# get FILE KEY: the values after "RESULT KEY", or "n/a".
get() {
    local v
    # The Windows programs end their lines with CR LF.
    v=$(tr -d '\r' <"$1" |
        awk -v k="$2" '$1 == "RESULT" && $2 == k { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }')
    echo "${v:-n/a}"
}
# spread "MEDIAN MIN MAX N" SCALE DECIMALS: "median [min-max] n=N", each value times SCALE.
spread() {
    [[ $1 == n/a ]] && { echo "n/a"; return; }
    awk -v s="$2" -v d="$3" '{
        f = "%." d "f"
        printf f " [" f "-" f "] n=%d", $1 * s, $2 * s, $3 * s, $4 }' <<<"$1"
}
median() { [[ $1 == n/a ]] && echo "n/a" || echo "${1%% *}"; }
# ratio A B: A/B to two decimals, or n/a.
ratio() {
    [[ $1 == n/a || $2 == n/a ]] && { echo "n/a"; return; }
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'
}
# verdict COND: "met" or "MISSED" for an awk condition.
verdict() { awk "BEGIN { exit !($1) }" 2>/dev/null && echo "met" || echo "MISSED"; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
bytes() { [[ -f $1 ]] && awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.0f KiB", b / 1024 }' || echo "n/a"; }
imported() { local list; list=$(imports "$1"); echo "$(wc -w <<<"$list"): $list"; }

startup=build/bench-startup.log scan=build/bench-scan.log waits=build/bench-waits.log
native=build/bench-native.log

# against_row NAME MAPWELL-KEY FLOOR-KEY FLOOR-NAME GOAL LOG: a start-up row, Mapwell against a
# floor measured in the same run.
against_row() {
    local m f r
    m=$(get "$6" "$2") f=$(get "$6" "$3")
    r=$(ratio "$(median "$m")" "$(median "$f")")
    row "$1" "$(spread "$m" 1000 0)" "$4 $(spread "$f" 1000 0)" \
        "${r}x; $([[ $r == n/a ]] && echo n/a || verdict "$r <= $5") (goal <= ${5}x)"
}
sc_m=$(get $scan scan.mapwell_us) sc_b=$(get $scan scan.bare_us)
cpu_add=$(get $waits cpu.add) wall_add=$(get $waits wall.add)
cpu_res=$(get $waits cpu.restore) wall_res=$(get $waits wall.restore)
pb_m=$(get $startup private_bytes.mapwell) pb_f=$(get $startup private_bytes.floor)
pb_d=$(get $startup private_bytes.dll_floor)
setup=$(ls $win/Mapwell-*-Setup.exe 2>/dev/null | head -n 1 || true)

cpu_row() { # NAME CPU WALL
    local goal="n/a"
    [[ $2 != n/a ]] && goal="$(verdict "$(median "$2") < 0.1") (goal < 0.1 CPU-s)"
    local spin="n/a"
    [[ $3 != n/a ]] && spin="spinning: $(awk -v w="$(median "$3")" 'BEGIN { printf "%.1f", w }') CPU-s (wall $(spread "$3" 1 1) s)"
    row "$1" "$(spread "$2" 1 2)" "$spin" "$goal"
}
gui() { # FILE-KEY-SUFFIX
    local g u w
    g=$(get $startup "gdi_objects.$1") u=$(get $startup "user_objects.$1") w=$(get $startup "windows.$1")
    echo "GDI $(median "$g"), USER $(median "$u"); windows $(median "$w")"
}

rows=()
row() { rows+=("$1|$2|$3|$4"); }
row "metric" "Mapwell" "reference" "ratio / goal"
against_row "Start-up to ready vs bare floor, Wine (ms)" startup.mapwell startup.floor \
    "bare floor" 2 $startup
against_row "Start-up to ready vs same-DLL floor, Wine (ms)" startup.mapwell startup.dll_floor \
    "same-DLL floor" 1.3 $startup
paint_m=$(get $startup paint.mapwell) paint_d=$(get $startup paint.dll_floor)
row "Start-up to first complete paint, Wine (ms)" "$(spread "$paint_m" 1000 0)" \
    "same-DLL floor painted $(spread "$paint_d" 1000 0)" \
    "$(ratio "$(median "$paint_m")" "$(median "$paint_d")")x"
idle=build/bench-startup-idle.log
idle_m=$(median "$(get $idle startup.mapwell)")
row "Start-up to ready, Wine, idle VM (ms)" "$(spread "$(get $idle startup.mapwell)" 1000 0)" \
    "bare $(spread "$(get $idle startup.floor)" 1000 0); DLLs $(spread "$(get $idle startup.dll_floor)" 1000 0)" \
    "$(ratio "$idle_m" "$(median "$(get $idle startup.floor)")")x bare, $(ratio "$idle_m" "$(median "$(get $idle startup.dll_floor)")")x DLLs"
row "Letter scan, 26 letters, Wine (us/scan)" "$(spread "$sc_m" 1 0)" \
    "26 GetDriveTypeW $(spread "$sc_b" 1 0)" "$(ratio "$(median "$sc_m")" "$(median "$sc_b")")x bare"
cpu_row "CPU during one Add (CPU-s)" "$cpu_add" "$wall_add"
cpu_row "CPU during Restore of 5 (CPU-s)" "$cpu_res" "$wall_res"
row "Mapwell.exe" "$(bytes $win/Mapwell.exe)" "floor $(bytes "$floor_exe")" \
    "$(ratio "$(stat -c %s $win/Mapwell.exe)" "$(stat -c %s "$floor_exe")")x floor"
row "Setup.exe" "$( [[ -n $setup ]] && bytes "$setup" || echo n/a)" "" ""
row "Imported DLLs" "$(imported $win/Mapwell.exe)" "bare floor $(imported "$floor_exe")" \
    "same-DLL floor: the same $(imports "$dll_floor_exe" | wc -w)"
mib_or_na() { [[ $1 == n/a ]] && echo n/a || mib "$(median "$1")"; }
pb_ratio_d=$(ratio "$(median "$pb_m")" "$(median "$pb_d")")
row "Private bytes after start-up" "$(mib_or_na "$pb_m")" \
    "bare floor $(mib_or_na "$pb_f"); same-DLL floor $(mib_or_na "$pb_d")" \
    "$(ratio "$(median "$pb_m")" "$(median "$pb_f")")x bare; ${pb_ratio_d}x same DLLs; $([[ $pb_ratio_d == n/a ]] && echo n/a || verdict "$pb_ratio_d <= 1.5") (goal <= 1.5x same DLLs)"
row "GDI / USER objects after start-up" "$(gui mapwell)" "floor $(gui floor)" \
    "not counted: Wine has no GetGuiResources"
row "Native (host, Debug): RefreshLetterLists, sim (us)" \
    "$(spread "$(get $native native.refresh_ns)" 0.001 1)" "" ""
for n in 10 100 1000 10000; do
    row "Native: duplicate check, $n lines (ns/line)" \
        "$(spread "$(get $native "native.canadd_ns_per_line.$n")" 1 0)" "" ""
done
growth=$(get $native native.canadd_growth)
row "Native: duplicate check growth" "per line 10,000 / 10 = $growth" "" \
    "$( [[ $growth == n/a ]] && echo n/a || verdict "$growth <= 2") (linear: ~1)"
for n in 10 100 1000 10000; do
    row "Native: DropLetterLines, $n lines (ns/line)" \
        "$(spread "$(get $native "native.drop_ns_per_line.$n")" 1 0)" "" ""
done
growth=$(get $native native.drop_growth)
row "Native: DropLetterLines growth" "per line 10,000 / 10 = $growth" "" \
    "$( [[ $growth == n/a ]] && echo n/a || verdict "$growth <= 2") (linear: ~1)"

# --- start-up step by step ---------------------------------------------------------------

# The RESULT step.PROGRAM.N lines: one row per step, in the order Mapwell's steps first came
# (the floors' own steps after them), each program's median [min-max] in ms.
steps=()
while IFS= read -r line; do steps+=("$line"); done < <(tr -d '\r' <$startup | awk '
    function cell(p, n) {
        return (p SUBSEP n) in med ? sprintf("%.1f [%.1f-%.1f]", med[p, n], lo[p, n], hi[p, n]) : "-"
    }
    $1 == "RESULT" && $2 ~ /^step\./ {
        split($2, key, "."); name = $7; for (i = 8; i <= NF; i++) name = name " " $i
        if (!(name in seen)) { seen[name] = 1; order[++n] = name }
        med[key[2], name] = $3 * 1000; lo[key[2], name] = $4 * 1000; hi[key[2], name] = $5 * 1000
    }
    END {
        for (i = 1; i <= n; i++)
            print order[i] "|" cell("mapwell_steps", order[i]) "|" cell("dll_floor_steps", order[i]) \
                "|" cell("floor_steps", order[i])
    }')
# What the probe and the loader do before the program's first step and after its last.
step_label() {
    case $1 in
    load) echo "load: process start, manifest, DLLs, C runtime (to the entry)" ;;
    "waiting for input") echo "waiting for input: till the probe sees it ready" ;;
    *) echo "$1" ;;
    esac
}
ms_spread() { spread "$1" 1000 1; }
step_rows=()
step_row() { step_rows+=("$1|$2|$3|$4"); }
step_row "step (ms)" "Mapwell" "same-DLL floor" "bare floor"
for line in "${steps[@]}"; do
    IFS='|' read -r name m d b <<<"$line"
    step_row "$(step_label "$name")" "$m" "$d" "$b"
done
step_row "to ready, timed builds" "$(ms_spread "$(get $startup startup.mapwell_steps)")" \
    "$(ms_spread "$(get $startup startup.dll_floor_steps)")" "$(ms_spread "$(get $startup startup.floor_steps)")"
step_row "to ready, as shipped (first table)" "$(ms_spread "$(get $startup startup.mapwell)")" \
    "$(ms_spread "$(get $startup startup.dll_floor)")" "$(ms_spread "$(get $startup startup.floor)")"
step_row "first complete paint, timed builds" "$(ms_spread "$(get $startup steps_paint.mapwell_steps)")" \
    "$(ms_spread "$(get $startup steps_paint.dll_floor_steps)")" \
    "$(ms_spread "$(get $startup steps_paint.floor_steps)")"

failures=""
for log in $startup build/bench-startup-idle.log; do
    for k in startup_failures.mapwell startup_failures.floor startup_failures.dll_floor \
        startup_failures.mapwell_steps startup_failures.dll_floor_steps startup_failures.floor_steps \
        paint_failures.mapwell paint_failures.dll_floor; do
        [[ $(get $log $k) =~ ^(0|n/a)$ ]] || failures+=" $k=$(get $log $k) (${log#build/})"
    done
done
for k in failures.add failures.restore; do
    [[ $(get $waits $k) =~ ^(0|n/a)$ ]] || failures+=" $k=$(get $waits $k)"
done

table() { # ROW...: cells split by "|"; the first row heads the table
    printf '%s\n' "$@" | awk -F'|' '
        { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; w = length($i); if (w > width[i]) width[i] = w } }
        END {
            for (r = 1; r <= NR; r++) {
                line = ""
                for (i = 1; i <= 4; i++) line = line sprintf("| %-*s ", width[i], cell[r, i])
                print line "|"
                if (r == 1) {
                    line = ""
                    for (i = 1; i <= 4; i++) { d = ""; for (j = 0; j < width[i] + 2; j++) d = d "-"; line = line "|" d }
                    print line "|"
                }
            }
        }'
}
echo
table "${rows[@]}"
echo
table "${step_rows[@]}"
echo
run_wine build/bench-wine-version.log --version || true
echo "Medians [min-max] of n runs. $(head -n 1 build/bench-wine-version.log), $(nproc) cores," \
    "load average $load_before before the Wine runs, $load_after after them."
echo "Wine rows other than \"idle VM\" ran with one CPU kept awake (see run.sh)." \
    "CPU is read from the system's process list (10 ms ticks under Wine); the Wine server's work" \
    "for Mapwell is not in it. Used letters seen by the scan: $(get $scan scan.used)." \
    "Prefix settled in $(get build/bench-settle.log settle_seconds) s."
echo "Steps: medians [min-max] of each step over the runs (they need not add up to the median" \
    "total). Each moment from the start until the probe sees the program ready is charged to" \
    "exactly one step (README, Benchmark). The timed builds start in the same rounds as the programs above;" \
    "their first paint is looked for once they are ready, so it is at most that late."
[[ -z $failures ]] || echo "Runs that did not complete (left out of the figures):$failures"
# The bench itself (and the spinner) keeps about one process running.
if awk -v a="$load_before" -v b="$load_after" -v n="$(nproc)" 'BEGIN { exit !(a > n + 1 || b > n + 1) }'; then
    echo "WARNING: other work kept this machine busy; the Wine timings are inflated and the" \
        "ratios less sure. Run again when it is quiet."
fi
