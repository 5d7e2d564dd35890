#!/usr/bin/env bash
# Builds talvo, vmodem and the playback benchmark in a build directory (default: the release
# preset's) and runs the measurement: the voice transmission's wall time against the line time
# of the message at 38400 baud.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/release}"
# The benchmark needs the end-to-end support library, which only exists with the tests.
args=(-S "$root" -B "$build" -DTALVO_BUILD_TESTS=ON -DTALVO_BUILD_BENCH=ON)
[ -f "$build/CMakeCache.txt" ] || args+=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
cmake "${args[@]}" >/dev/null
cmake --build "$build" --target bench_playback talvo vmodem
exec "$build/bin/bench_playback"
