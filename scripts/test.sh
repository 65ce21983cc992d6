#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. native tests (the real handlers on a simulated machine), then the same
#      under AddressSanitizer and UndefinedBehaviorSanitizer;
#   2. the fuzz targets, each for a bounded time;
#   3. the Wine bench: the subst stand-in, the setup program;
#   4. the imports of the built Mapwell.exe: wide functions only;
#   5. the end-to-end tests of the real Mapwell.exe under Wine, and those of
#      folder names in other scripts in a Western and a Japanese prefix, and
#      in a Western one with a copy whose manifest has no activeCodePage.
# Ends with one line "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/build.sh native sanitize fuzz windows || { echo "0 passed, 1 failed"; exit 1; }

FUZZ_SECONDS=${FUZZ_SECONDS:-20}
passed=0
failed=0

gtest_counts() { # adds the counts of a GoogleTest log; a log without a summary is a failure
    local p f
    p=$(grep -aEo '^\[  PASSED  \] [0-9]+' "$1" | grep -Eo '[0-9]+$' | tail -n 1)
    f=$(grep -aEo '^\[  FAILED  \] [0-9]+ tests?, listed below' "$1" | grep -Eo '[0-9]+' | head -n 1)
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    [[ -n $p || -n $f ]] || failed=$((failed + 1))
}

script_counts() { # adds the "N passed, N failed" line a script ends with
    local line
    line=$(grep -aE '^[0-9]+ passed, [0-9]+ failed' "$1" | tail -n 1)
    if [[ -z $line ]]; then
        failed=$((failed + 1))
        return
    fi
    passed=$((passed + $(cut -d' ' -f1 <<<"$line")))
    failed=$((failed + $(cut -d' ' -f3 <<<"$line")))
}

show_failures() {
    grep -aE '^\[  FAILED  \]|Failure|Expected|Which is|Value of|actual|FAIL|ERROR' "$1" | head -n 60 || true
}

echo "== native tests"
build/native/tests/mapwell_tests >build/native-tests.log 2>&1 || show_failures build/native-tests.log
gtest_counts build/native-tests.log
grep -a 'fault points swept' build/native-tests.log || true

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build/sanitize/tests/mapwell_tests >build/sanitize-tests.log 2>&1 || show_failures build/sanitize-tests.log
gtest_counts build/sanitize-tests.log

echo "== fuzzing, ${FUZZ_SECONDS} s per target"
for target in batch_file remove_entry capture state_file; do
    mkdir -p "build/fuzz-corpus/$target"
    log=build/fuzz-$target.log
    if build/fuzz/fuzz/fuzz_$target -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 \
        "build/fuzz-corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "fuzz_$target: $(grep -aEo 'Done [0-9]+ runs' "$log")"
    else
        failed=$((failed + 1))
        tail -n 30 "$log"
    fi
done

echo "== subst stand-in under Wine"
tools/subst/test-standin.sh >build/standin-tests.log 2>&1 || tail -n 30 build/standin-tests.log
script_counts build/standin-tests.log

echo "== setup program under Wine"
tests/install/test-install.sh >build/install-tests.log 2>&1 || tail -n 30 build/install-tests.log
script_counts build/install-tests.log

echo "== Mapwell.exe imports no ANSI function that has a wide twin"
scripts/check-imports.sh >build/imports-tests.log 2>&1 || cat build/imports-tests.log
script_counts build/imports-tests.log

echo "== end-to-end tests under Wine"
# With the help viewer's trace, which tells which page each F1 resolved to.
WINEDEBUG=-all,+htmlhelp scripts/e2e.sh --gtest_filter='-Names.*' >build/e2e-run.log 2>&1 || show_failures build/e2e.log
grep -aE '^\[ +(OK|FAILED) +\]' build/e2e.log || true
gtest_counts build/e2e.log

echo "== folder names in other scripts, end to end: a Western and a Japanese prefix, and a copy"
# Each prefix takes its code pages from the locale: C.UTF-8 gives 1252 and 437, ja_JP.UTF-8 932.
# The third run starts a copy of Mapwell.exe whose manifest has no activeCodePage, as Windows
# before 10 1903 runs every copy: nothing may rest on it.
for run in western:C.UTF-8: japanese:ja_JP.UTF-8: western-no-active-code-page:C.UTF-8:1; do
    IFS=: read -r name locale copy <<<"$run"
    log=build/e2e-names-$name.log
    LC_ALL=$locale E2E_WITHOUT_ACTIVE_CODE_PAGE=$copy E2E_NAME=e2e-names-$name \
        scripts/e2e.sh --gtest_filter='Names.*' >"$log.run" 2>&1 || show_failures "$log"
    grep -aE '^\[ +(OK|FAILED) +\]' "$log" || true
    gtest_counts "$log"
done

echo "== every F1 opened the Introduction: the help viewer's own trace"
resolved=$(grep -ac 'FindContextAlias returning' build/e2e.log)
intro=$(grep -ac 'FindContextAlias returning "intro.htm"' build/e2e.log)
# At least one F1 from each of the nine controls, with real keys.
if [[ $resolved -ge 9 && $intro -eq $resolved ]]; then
    passed=$((passed + 1))
    echo "context id 100 resolved to intro.htm for all $intro help requests"
else
    failed=$((failed + 1))
    grep -a 'FindContextAlias' build/e2e.log | sort | uniq -c || echo "no context id was resolved"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
