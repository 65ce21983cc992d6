#!/usr/bin/env bash
# Builds both presets: "native" (logic and native tests on the host) and
# "windows" (Mapwell.exe, the help file, the Wine bench tools and the
# end-to-end driver, cross-compiled with MinGW-w64).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/deps.sh
for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
