#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]: builds the libFuzzer targets with clang, AddressSanitizer and
# UBSan into build-fuzz and runs each named target (default: all of them) for a bounded time
# (default 90 seconds each), starting from the committed seeds: fuzz/corpus holds problem files
# (the suite reads them too), fuzz/corpus_<kind> the seeds of the other readers. Not part of the
# main build or of CI. Targets: the problem text reader (fuzz_problem_reader), the problem
# file path of the window (fuzz_problem_file), graph strings (fuzz_graph_string), graph6 lines
# (fuzz_graph6) and graph files (fuzz_graph_file). An input that fails is kept in build-fuzz/ and
# the run stops with a non-zero status.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-90}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] &&
    targets=(fuzz_problem_reader fuzz_problem_file fuzz_graph_string fuzz_graph6 fuzz_graph_file)
if ! command -v clang++ >/dev/null; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang
fi
CXX=clang++ cmake -S "$root/fuzz" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Builds share the machine: no more than four jobs unless FUZZ_JOBS says otherwise.
cmake --build "$root/build-fuzz" -j "${FUZZ_JOBS:-4}" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    # The large problem seeds (a thousand items) take seconds per run on a shown board: only the
    # headless reader gets them.
    case $target in
    fuzz_problem_reader) seeds=(corpus corpus_problem_large) dict=() ;;
    fuzz_problem_file) seeds=(corpus) dict=() ;;
    fuzz_graph_string) seeds=(corpus_graph_string) dict=(-dict="$root/fuzz/graph.dict") ;;
    fuzz_graph6) seeds=(corpus_graph6) dict=(-dict="$root/fuzz/graph.dict") ;;
    fuzz_graph_file) seeds=(corpus_graph_file) dict=(-dict="$root/fuzz/graph.dict") ;;
    *)
        echo "unknown target $target" >&2
        exit 2
        ;;
    esac
    work="$root/build-fuzz/corpus/$target"
    mkdir -p "$work"
    echo "== $target, $seconds s"
    "$root/build-fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
        "${dict[@]}" -artifact_prefix="$root/build-fuzz/$target-" "$work" "${seeds[@]/#/$root/fuzz/}"
done
