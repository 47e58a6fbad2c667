#!/usr/bin/env bash
# Builds everything and runs every test twice: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer so that a memory fault fails the run. After the first, the
# Debian package is built, installed and its programs run; then a short round of fuzzing
# (scripts/fuzz.sh runs longer ones).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" test

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

run_suite() {
    local build="$1"
    shift
    cmake -S "$root" -B "$build" -G Ninja -DQUILVARDEN_WERROR=ON "$@"
    cmake --build "$build" --parallel "$jobs"
    ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
}

echo "== Build and tests"
run_suite "$root/build/debug" -DCMAKE_BUILD_TYPE=Debug

echo "== The Debian package: built, checked, installed and run"
"$root/scripts/package.sh"
"$root/scripts/check-package.sh"

echo "== Fuzzing, a short round"
"$root/scripts/fuzz.sh" 20

echo "== Build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_suite "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUILVARDEN_SANITIZE=ON
