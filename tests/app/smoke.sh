#!/usr/bin/env bash
# Starts the real program under Xvfb, checks that it comes up (wiping a workspace an
# earlier run left behind) and ends it the way the session does (SIGTERM), which must
# close it cleanly: exit code 0 and the workspace gone.
#   smoke.sh <program>
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp" "$work/run" "$work/config"
chmod 700 "$work/run"
export TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work"
mkdir -p "$TMPDIR/VivUvud/leftover.odf0"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    "$0" & pid=$!
    for _ in $(seq 1 100); do
        [ -d "$TMPDIR/VivUvud" ] || break
        sleep 0.1
    done
    sleep 2
    if ! kill -0 $pid 2>/dev/null; then echo "the program ended by itself"; exit 1; fi
    if [ -d "$TMPDIR/VivUvud" ]; then echo "leftover workspace not wiped"; exit 1; fi
    mkdir -p "$TMPDIR/VivUvud/during.odf0"
    kill -TERM $pid
    for _ in $(seq 1 100); do
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 $pid 2>/dev/null; then echo "still running 10 s after SIGTERM"; kill -KILL $pid; exit 1; fi
    wait $pid; rc=$?
    if [ $rc -ne 0 ]; then echo "exit code $rc"; exit 1; fi
    if [ -d "$TMPDIR/VivUvud" ]; then echo "workspace not wiped on the way out"; exit 1; fi
    echo "started, closed cleanly"
' "$program"
