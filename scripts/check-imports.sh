#!/usr/bin/env bash
# Checks, on the built Mapwell.exe, that it calls Windows through the wide
# functions only: no function it imports may end in "A" and have a "W" twin in
# the same DLL. What the static C and C++ run-time imports for itself (its
# start-up and its threads) is set aside: the imports of an empty program
# built as Mapwell.exe is built. A twin is looked for in the toolchain's
# import library of the DLL, which lists what Windows exports.
# usage: scripts/check-imports.sh [EXE]     Ends with "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-$root/build/windows/Mapwell.exe}
tool=x86_64-w64-mingw32
libs=/usr/$tool/lib
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { # NAME OK: counts one check
    if [[ $2 == 0 ]]; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

imports() { # "dll function" per line, the DLL in lower case
    "$tool-objdump" -p "$1" | awk '/DLL Name:/ { dll = tolower($3); next }
        /^\t[0-9a-f]+\t +[0-9]+  / { print dll, $NF }'
}

# The run-time's own imports: a program with Mapwell's entry that throws,
# catches and holds a string, as Mapwell does, and nothing else.
cat >"$work/floor.cpp" <<'CPP'
#include <windows.h>
#include <stdexcept>
#include <string>
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        throw std::runtime_error(std::string(64, 'x'));
    } catch (const std::exception& e) {
        return e.what()[0];
    }
}
CPP
"$tool-g++-posix" -std=c++20 -Os -mwindows -municode -static -s "$work/floor.cpp" -o "$work/floor.exe" ||
    { echo "0 passed, 1 failed"; exit 1; }
imports "$work/floor.exe" | sort -u >"$work/runtime"
imports "$exe" | sort -u >"$work/imports"
check "imports read: $(wc -l <"$work/imports") of $exe, $(wc -l <"$work/runtime") of the run-time" \
    $([[ -s $work/imports && -s $work/runtime ]]; echo $?)

ansi=()
while read -r dll name; do
    [[ $name =~ [a-z0-9]A$ ]] || continue
    grep -qxF "$dll $name" "$work/runtime" && continue
    lib=$libs/lib${dll%.dll}.a
    if [[ ! -f $lib ]]; then
        ansi+=("$dll $name (no import library to look for a twin in)")
        continue
    fi
    exports=$work/$dll.exports
    [[ -f $exports ]] || "$tool-nm" "$lib" | sed -n 's/^[0-9a-f]* I __imp_//p' >"$exports"
    grep -qxF "${name%A}W" "$exports" && ansi+=("$dll $name")
done <"$work/imports"
[[ ${#ansi[@]} -eq 0 ]] || printf '  %s\n' "${ansi[@]}"
check "no ANSI function with a wide twin is imported (${#ansi[@]} found)" $((${#ansi[@]} > 0))

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
