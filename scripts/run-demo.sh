#!/usr/bin/env bash
# Builds the program and opens its window on a demo meet. The demo database is made next
# to the program the first time; later runs keep the awards stored in it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" build

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUILVARDEN_BENCH=OFF
cmake --build "$build"

database="$build/bin/quilvarden.MDB"
if [ ! -e "$database" ]; then
    "$build/bin/quilvarden-db" demo "$database"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here: opening the window on a virtual one (xvfb-run)." >&2
    echo "To see it as a picture instead: $build/bin/quilvarden --screenshot window.png" >&2
    exec xvfb-run -a "$build/bin/quilvarden" "$@"
fi
exec "$build/bin/quilvarden" "$@"
