#!/usr/bin/env bash
# Builds the program and its benchmarks (Release) and prints their tables: the operator's
# operations (any arguments go to that one: --sizes 500,100000,1000000, --repetitions N,
# --directory DIR), then the import of a meet's clubs, then several stations on one register
# (a PostgreSQL server of its own, and a file), then the live web server under a meet's public.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVARDEN_BENCH=ON -DBUILD_TESTING=OFF
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
"$build/bin/quilvarden-bench" "$@"
echo
"$build/bin/quilvarden-import-bench"
echo
"$build/bin/quilvarden-station-bench"
echo
"$build/bin/quilvarden-live-bench"
