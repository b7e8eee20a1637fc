#!/usr/bin/env bash
# Installs what is missing, builds Tessaly and runs every test.
# test.sh --sanitize builds and runs them under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    bash "$root/scripts/build.sh" $dir -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON -DTESSALY_BENCHMARKS=OFF
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export ASAN_OPTIONS=detect_leaks=0
else
    dir=build
    bash "$root/scripts/build.sh" $dir -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cd "$root/$dir"
ctest --output-on-failure -j "$jobs"
