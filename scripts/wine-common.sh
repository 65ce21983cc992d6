# shellcheck shell=bash
# Helpers shared by the wine-*.sh scripts and the bench tests. Source it; WINEPREFIX must be set
# (and absolute) before calling run_wine or unix_path_of.

die() {
    echo "${0##*/}: $*" >&2
    exit 1
}

# run_wine OUTFILE ARGS...: runs `wine ARGS...` with stdout and stderr in OUTFILE and returns its
# exit code. Never capture wine with $(...) or a pipe: the first wine call of a prefix starts
# wineserver, services and explorer, which inherit that pipe and keep the reader waiting.
run_wine() {
    local out=$1 program
    program=$(wine_program "$2")
    shift 2
    wine "$program" "$@" </dev/null >"$out" 2>&1
}

# wine_program NAME: a program given without a folder (reg, subst.exe) as its path in the system
# folder; any other as it is. Given a bare name, wine looks the program up through start.exe and
# ShellExecuteEx, which now and then fails on its own ("ShellExecuteEx failed: Internal error")
# before the program ever runs.
wine_program() {
    case $1 in
    */* | *\\*) echo "$1" ;;
    *) echo "C:\\windows\\system32\\${1%.exe}.exe" ;;
    esac
}

# unix_path_of 'C:\some folder' -> $WINEPREFIX/dosdevices/c:/some folder, without starting Wine.
unix_path_of() {
    local windows=$1 letter rest
    letter=${windows:0:1}
    letter=${letter,,}
    rest=${windows:2}
    echo "$WINEPREFIX/dosdevices/$letter:${rest//\\//}"
}

# elapsed START: seconds since START (a `date +%s.%N` value), one decimal.
elapsed() {
    awk -v s="$1" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }'
}
