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
    # Binding starts from each bundled template over a few bytes: length, template, two change bytes, file.
    if [ "$(basename "$target")" = fuzz_binding ]; then
        for templ in "$build_dir"/TMPL/*.tmpl; do
            python3 -c 'import sys; t = open(sys.argv[1], "rb").read()
sys.stdout.buffer.write(len(t).to_bytes(2, "little") + t + bytes([3, 7]) + bytes(range(64)) * 4)' \
                "$templ" > "$corpus/seed-$(basename "$templ")"
        done
    fi
    echo "fuzzing $(basename "$target") for ${seconds}s"
    (cd "$build_dir" && "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" 2>&1 | tail -n 3)
done
echo "${#targets[@]} fuzz targets run"
