#!/usr/bin/env bash
# The engine benchmark: bind, save and destroy a document of 10^4, 10^5 and 10^6 synthetic
# records against a plain C++ decoder, a file of 10^8 records opened, edited and saved, then the
# instructions per record of binding under callgrind at 10^5. Prints the figures and whether the
# targets are met; exits 1 if not.
#   tools/run-benchmarks.sh BUILD_DIR
set -euo pipefail
build_dir="${1:?usage: $0 BUILD_DIR}"
bench="$build_dir/bench/engine_bench"
[ -x "$bench" ] || cmake --build "$build_dir" --target engine_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build_dir/bench/tracker_bench"
echo

# The same file through the whole command-line tool, comparable with other tools' figures.
cli="$build_dir/src/cli/sondrix-cli"
"$cli" compile "$(dirname "$0")/../bench/synthetic.tmpl.txt" "$work/synthetic.tmpl"
TIMEFORMAT='%R'
time_dump() {
    local seconds
    seconds=$( { time "$cli" dump -T "$work/synthetic.tmpl" "$@" >/dev/null; } 2>&1 )
    echo "$seconds"
}

for records in 10000 100000 1000000; do
    "$bench" "$records" "$work" | tee "$work/figures-$records"
    cmp -s "$work/synthetic-$records.bin" "$work/saved-$records.bin" || { echo "saved file differs"; exit 1; }
    echo "cli_dump_seconds=$(time_dump "$work/synthetic-$records.bin") cli_dump_json_seconds=$(time_dump --json "$work/synthetic-$records.bin")"
    rm -f "$work"/*.bin
    echo
done

# Keyed, sized chunks as PNG has them; the saved file must be the file read.
"$build_dir/bench/chunk_bench" 1000000 "$work"
cmp -s "$work/chunks-1000000.bin" "$work/chunks-saved-1000000.bin" || { echo "saved chunk file differs"; exit 1; }
rm -f "$work"/*.bin
echo

# Find over the rows of 10^6 records (6 million rows): each kind of search looks at every row once.
"$build_dir/bench/find_bench" 1000000 "$work"
rm -f "$work"/*.bin
echo

# A directory of entries pointing at records stored out of order: regions at offsets, saved by
# place, and one edit that moves every region after it.
"$build_dir/bench/offset_bench" 100000 "$work"
cmp -s "$work/directory-100000.bin" "$work/directory-saved-100000.bin" && { echo "edited file unchanged"; exit 1; }
rm -f "$work"/*.bin
echo

# A hundred million records (2.4 GB): the first and the last screen, an edit near the end and a
# streaming save, in memory that does not grow with the file. Needs 5 GB free in the temporary directory.
"$build_dir/bench/huge_bench" 100000000 "$work" | tee "$work/figures-huge"
echo

instructions=""
if command -v valgrind >/dev/null; then
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" --toggle-collect='bindFile*' \
        "$bench" 100000 "$work" --bind-only >/dev/null 2>&1
    total="$(awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.out")"
    instructions=$((total / 100000))
    echo "bind_instructions_per_record=$instructions (callgrind, 100000 records)"
else
    echo "valgrind missing: instructions per record not counted"
fi

# Targets at 10^6 records, and at 10^8.
figure() { tr ' ' '\n' <"${2:-$work/figures-1000000}" | awk -F= -v key="$1" '$1 == key { print $2 }'; }
verdict=0
check() {
    if awk -v value="$2" -v limit="$3" 'BEGIN { exit !(value <= limit) }'; then
        echo "met:    $1 = $2 (at most $3)"
    else
        echo "MISSED: $1 = $2 (at most $3)"
        verdict=1
    fi
}
echo
check "bind time / reference time" "$(figure bind_over_reference)" 4
check "save time / reference time" "$(figure save_over_reference)" 1
check "peak bytes per row" "$(figure peak_bytes_per_row)" 40
[ -z "$instructions" ] || check "bind instructions per record" "$instructions" 1000
check "10^8 records: seconds to the first screen" "$(figure first_screen_s "$work/figures-huge")" 1
check "10^8 records: peak bytes per row" "$(figure peak_bytes_per_row "$work/figures-huge")" 0.01
exit $verdict
