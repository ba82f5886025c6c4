#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQFF_BUILD_TESTS=OFF -DQFF_BUILD_BENCH=OFF
cmake --build build
if [ -x build/app/quillmark-formula-fixer ]; then
    exec build/app/quillmark-formula-fixer "$@"
fi
echo "The desktop window is not built yet. The batch front end is: build/cli/quillmark-fix --help"
echo "The tests run with: bash tools/test.sh"
