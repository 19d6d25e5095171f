#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for a fixed time on its committed corpus, all at
# once (each fuzzer uses one core). Findings are written to build/fuzz/findings and make the run
# fail.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
findings="$build/findings"
mkdir -p "$findings"

names=()
pids=()
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    corpus="$root/tests/fuzz/corpus/${name#fuzz_}"
    work="$build/corpus/${name#fuzz_}"
    mkdir -p "$work"
    echo "Fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "$corpus" >"$build/$name.log" 2>&1 &
    names+=("$name")
    pids+=("$!")
done

status=0
for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
        echo "${names[$i]} failed"
        status=1
    fi
    echo "== ${names[$i]}"
    tail -n 12 "$build/${names[$i]}.log"
done
exit "$status"
