#!/usr/bin/env bash
# tsan.sh [ctest regex]: builds Tessaly under ThreadSanitizer in build-tsan and runs the tests
# of the threaded parts (search engine and graph loader by default). Not part of CI: Qt itself
# is not instrumented, so scripts/tsan.supp silences reports that lie wholly inside Qt or glib.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pattern=${1:-"optimisation_|analysts_"}
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_BENCHMARKS=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread"
export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$root/scripts/tsan.supp"
cd "$root/build-tsan"
ctest --output-on-failure -R "$pattern"
