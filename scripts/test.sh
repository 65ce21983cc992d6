#!/usr/bin/env bash
# Builds everything and runs every test: the native tests first (the real
# handlers on a simulated machine), then the Wine bench (the subst stand-in),
# then the end-to-end tests of the real Mapwell.exe under Wine.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/build.sh native windows || exit 1

passed=0
failed=0
count() { # adds the counts from a GoogleTest log
    local p f
    p=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$1" | grep -Eo '[0-9]+$' | tail -n 1)
    f=$(grep -Eo '^\[  FAILED  \] [0-9]+ tests?, listed below' "$1" | grep -Eo '[0-9]+' | head -n 1)
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
}

echo "== native tests"
build/native/tests/mapwell_tests >build/native-tests.log 2>&1
status=$?
grep -E '^\[  FAILED  \]|Failure|Expected|Which is|^\[==========\]' build/native-tests.log
count build/native-tests.log
# A crash leaves no summary: count it as a failure.
[[ $status -eq 0 ]] || grep -q 'listed below' build/native-tests.log || failed=$((failed + 1))

echo "== subst stand-in"
if tools/subst/test-standin.sh >build/standin-tests.log 2>&1; then
    passed=$((passed + 1))
    tail -n 1 build/standin-tests.log
else
    failed=$((failed + 1))
    cat build/standin-tests.log
fi

echo "== end-to-end tests under Wine"
scripts/e2e.sh >build/e2e-run.log 2>&1
status=$?
grep -vE 'Read access denied' build/e2e-run.log | grep -E '^\[ *(OK|FAILED|PASSED|RUN) *\]|Failure|Expected|Which is|actual' || true
count build/e2e.log
[[ $status -eq 0 ]] || grep -q 'listed below' build/e2e.log || failed=$((failed + 1))

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
