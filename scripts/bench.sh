#!/usr/bin/env bash
# Builds the program and its benchmark (Release) and prints the benchmark's table. Any
# arguments go to the benchmark: --sizes 500,100000,1000000, --repetitions N, --directory DIR.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVARDEN_BENCH=ON -DBUILD_TESTING=OFF
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
exec "$build/bin/quilvarden-bench" "$@"
