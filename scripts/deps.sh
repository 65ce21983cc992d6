#!/usr/bin/env bash
# Installs, on Debian as root, whatever building, running and testing Mapwell
# needs and the machine lacks. Quiet when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix wine xvfb xdotool imagemagick nsis
    fp-utils fp-compiler fp-units-misc fpc-source-3.2.2
    fonts-ipafont-gothic
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

# Wine reads non-ASCII Unix file names right only when the glibc locale of the prefix exists:
# the end-to-end tests run one prefix in Japanese (code page 932).
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "deps: making the ja_JP.UTF-8 locale"
    dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "ok installed" || {
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq locales >/dev/null
    }
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
