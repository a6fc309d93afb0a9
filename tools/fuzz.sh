#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang, ZELMAR_FUZZ=ON) and runs each for SECONDS
# (default 60) on a scratch copy of its seed corpus. Exits non-zero when a target finds a crash;
# the reproducer is left in the target's folder under build-fuzz/fuzz-runs.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
fuzz_dir="$root/tests/fuzz"
runs="$build/fuzz-runs"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DZELMAR_FUZZ=ON
cmake --build "$build" --target fuzzers

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in configuration_xml loader_answer panel_emulator panel_images; do
    work="$runs/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus"
    cp "$fuzz_dir/corpus/$target/"* "$work/corpus/"
    rm -f "$work/corpus/README.md"
    options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/")
    if [[ "$target" == configuration_xml ]]; then
        options+=(-dict="$fuzz_dir/xml.dict")
    fi
    echo "=== fuzz_$target for ${seconds}s"
    status=0
    (cd "$work" && "$build/fuzz/fuzz_$target" "${options[@]}" corpus >log.txt 2>&1) || status=$?
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|ERROR|SUMMARY|stat::' "$work/log.txt" || true
    if ((status != 0)); then
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "Fuzzing found faults in: ${failed[*]} (see $runs)" >&2
    exit 1
fi
echo "No faults found."
