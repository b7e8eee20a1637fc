#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer targets with clang, AddressSanitizer and UBSan into
# build-fuzz and runs the problem text reader for a bounded time (default 90 seconds), starting
# from the committed seed texts in fuzz/corpus. Not part of the main build or of CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-90}
if ! command -v clang++ >/dev/null; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang
fi
CXX=clang++ cmake -S "$root/fuzz" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j "$(nproc 2>/dev/null || echo 2)"
work="$root/build-fuzz/corpus"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$root/build-fuzz/fuzz_problem_reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -max_len=65536 -artifact_prefix="$root/build-fuzz/" "$work" "$root/fuzz/corpus"
