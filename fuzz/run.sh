#!/usr/bin/env bash
# Builds the fuzz targets and runs one of them.
#   fuzz/run.sh package|html [seconds] [extra libFuzzer options...]
# Everything of a run goes to build-fuzz/run-<target>/: the growing corpus (seeded from
# tests/corpus), findings/ and the log fuzz-0.log.
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?package or html}"
seconds="${2:-1800}"
shift $(( $# < 2 ? $# : 2 ))
case "$target" in
    package) seeds=tests/corpus/packages ;;
    html) seeds=tests/corpus/markup ;;
    *) echo "unknown target $target" >&2; exit 2 ;;
esac
build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQFF_FUZZ=ON -DQFF_PARTS="engine;htmlbox" -DQFF_HTMLBOX_RENDERER_ONLY=ON \
        -DQFF_BUILD_TESTS=OFF -DQFF_BUILD_BENCH=OFF
fi
cmake --build "$build" -j2 --target "qff_fuzz_$target"
root="$PWD"
run="$root/$build/run-$target"
mkdir -p "$run/corpus" "$run/findings"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
export QT_QPA_PLATFORM=offscreen
# With -jobs the fuzzing itself logs to fuzz-0.log in the folder it runs in.
cd "$run"
exec "$root/$build/fuzz/qff_fuzz_$target" -max_total_time="$seconds" -jobs=1 -timeout=30 \
    -rss_limit_mb=2048 -artifact_prefix="$run/findings/" "$@" "$run/corpus" "$root/$seeds" \
    >"$run/run.log" 2>&1
