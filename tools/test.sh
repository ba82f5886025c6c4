#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with ctest; then again
# with sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh --tests
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQFF_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2

# The same suite again under AddressSanitizer + UndefinedBehaviorSanitizer, and the plain
# C++ layers (engine, passes, batch front end) under ThreadSanitizer: Qt is not built for
# it and would only give false reports. The office-suite round trips run once, above.
# QFF_SANITIZERS=0 skips both (a quick local run).
if [ "${QFF_SANITIZERS:-1}" != "0" ]; then
    office='OfficeRoundTrip|SalvageCorpus'
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQFF_WERROR=ON \
        -DQFF_BUILD_BENCH=OFF -DQFF_SANITIZE="address,undefined"
    cmake --build build-asan
    ctest --test-dir build-asan --output-on-failure -j2 -LE office -E "$office"
    cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQFF_WERROR=ON \
        -DQFF_BUILD_BENCH=OFF -DQFF_PARTS="engine;jobs;cli" -DQFF_SANITIZE=thread
    cmake --build build-tsan
    # The 100,000-member package is single-threaded and too slow under this sanitizer.
    ctest --test-dir build-tsan --output-on-failure -j2 -LE office -E "$office|ManyMembers"
fi
