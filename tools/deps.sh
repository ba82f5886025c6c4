#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

runtime=(g++ cmake ninja-build pkg-config zlib1g-dev qt6-base-dev qt6-svg-dev libqt6svg6
         fonts-liberation2 fonts-dejavu-core)
testing=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth zip unzip python3
         libreoffice-math clang-14 libclang-rt-14-dev)

want=("${runtime[@]}")
if [ "${1:-}" = "--tests" ]; then
    want+=("${testing[@]}")
fi

missing=()
for pkg in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
