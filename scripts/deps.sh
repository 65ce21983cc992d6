#!/usr/bin/env bash
# Installs, on Debian as root, whatever building, running and testing Mapwell
# needs and the machine lacks. Quiet when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix wine xvfb xdotool imagemagick nsis
    fp-utils fp-compiler fp-units-misc fpc-source-3.2.2
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "deps: installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
