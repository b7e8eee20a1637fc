#!/usr/bin/env bash
# Installs what is missing, builds Tessaly in release mode and runs every benchmark program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" build-release -DCMAKE_BUILD_TYPE=Release
export QT_QPA_PLATFORM=offscreen
for b in "$root"/build-release/bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" "$@"
done
