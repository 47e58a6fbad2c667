#!/usr/bin/env bash
# Fuzzes the number, mask and currency rules, the club codes and short names of imports and
# the readers of meet files (Lenex, plain and zipped; the CSV of mdb-export) with libFuzzer,
# under AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Builds the fuzz targets with clang in build/fuzz, then runs each TARGET (fuzz_numbers,
# fuzz_masks, fuzz_currency, fuzz_clubs, fuzz_lenex, fuzz_access; all by default) for
# SECONDS (600 by default), starting from a fresh copy of its seed corpus (fuzz/corpus/TARGET)
# in build/fuzz/corpus/TARGET, so that the inputs the fuzzer adds stay out of the repository,
# and with its dictionary of words of its file format (fuzz/TARGET.dict) where it has one.
# For each target it prints the executions, the coverage (cov: edges, ft: features) and the
# result; the full output is in build/fuzz/logs/TARGET.log and a crashing input in
# build/fuzz/artifacts/TARGET/.
# Exits non-zero when any target crashes, breaks a property or trips a sanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"

seconds="${1:-600}"
if [ $# -gt 0 ]; then
    shift
fi
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SECONDS] [TARGET...]" >&2
    exit 2
fi
all_targets=(fuzz_numbers fuzz_masks fuzz_currency fuzz_clubs fuzz_lenex fuzz_access)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=("${all_targets[@]}")
fi
for target in "${targets[@]}"; do
    if [ ! -d "$root/fuzz/corpus/$target" ]; then
        echo "unknown fuzz target: $target (known: ${all_targets[*]})" >&2
        exit 2
    fi
done

if ! command -v clang++ >/dev/null; then
    echo "clang++ not found; run scripts/install-deps.sh" >&2
    exit 1
fi

mkdir -p "$build/logs"
build_log="$build/logs/build.log"
echo "Building ${targets[*]} with clang in $build"
if ! {
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUILVARDEN_FUZZ=ON -DQUILVARDEN_BENCH=OFF -DBUILD_TESTING=OFF &&
        cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"
} >"$build_log" 2>&1; then
    tail -n 40 "$build_log"
    echo "The fuzz build failed; the whole output is in $build_log" >&2
    exit 1
fi

# A sanitizer report stops the run with a stack trace; libFuzzer keeps the input.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    rm -rf "$corpus" "$artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp "$root/fuzz/corpus/$target"/* "$corpus/"

    # A target's dictionary (fuzz/TARGET.dict), where it has one: words of its file format.
    dictionary=()
    if [ -f "$root/fuzz/$target.dict" ]; then
        dictionary=(-dict="$root/fuzz/$target.dict")
    fi
    status=0
    "$build/bin/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 "${dictionary[@]}" \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?

    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    coverage="$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)"
    crashes="$(find "$artifacts" -type f | wc -l)"
    if [ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]; then
        result="no crash"
    else
        result="FAILED (exit $status)"
        failed+=("$target")
    fi
    printf '%-14s %ss  runs: %s  %s  corpus: %s  crashes: %s  %s\n' "$target" "$seconds" \
        "${runs:-?}" "${coverage:-cov: ? ft: ?}" "$(find "$corpus" -type f | wc -l)" "$crashes" "$result"
    if [ "$result" != "no crash" ]; then
        # The property or sanitizer report, the frames in the project's sources, the input kept.
        grep -E -A 2 'property broken|ERROR: (AddressSanitizer|LeakSanitizer)|runtime error|ERROR: libFuzzer: (timeout|out-of-memory)' \
            "$log" | head -n 12 | sed 's/^/    /' || true
        grep -E '^ *#[0-9]+ .* in .* ('"$root"'/(src|fuzz)/)' "$log" | head -n 8 | sed 's/^ */      /' || true
        find "$artifacts" -type f | sed 's/^/    input kept: /'
        echo "    whole output: $log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
