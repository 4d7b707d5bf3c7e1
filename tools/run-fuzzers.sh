#!/usr/bin/env bash
# Runs each fuzz target for a bounded time; a crash fails the run.
set -euo pipefail
build_dir="$(cd "$1" && pwd)"  # the targets run inside it
seconds="${FUZZ_SECONDS:-30}"
shopt -s nullglob
targets=("$build_dir"/tests/fuzz/fuzz_*)
for target in "${targets[@]}"; do
    [ -x "$target" ] || continue
    corpus="$build_dir/corpus/$(basename "$target")"
    mkdir -p "$corpus"
    echo "fuzzing $(basename "$target") for ${seconds}s"
    (cd "$build_dir" && "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" 2>&1 | tail -n 3)
done
echo "${#targets[@]} fuzz targets run"
