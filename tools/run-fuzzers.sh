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
    # Binding starts from each bundled template and from the shapes in tests/fuzz/seeds over a few bytes:
    # length, template, a few changes, file.
    if [ "$(basename "$target")" = fuzz_binding ]; then
        source_dir="$(cd "$(dirname "$0")/.." && pwd)"
        "$source_dir/tools/fuzz-seeds.py" "$build_dir"/TMPL/*.tmpl "$source_dir"/tests/fuzz/seeds/*.txt "$corpus"
    fi
    echo "fuzzing $(basename "$target") for ${seconds}s"
    (cd "$build_dir" && "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" 2>&1 | tail -n 3)
done
echo "${#targets[@]} fuzz targets run"
