#!/usr/bin/env bash
# Screenshot of the help window showing the user guide, for docs/help-window.png.
#   tools/help-window-shot.sh BUILD_DIR OUTPUT.png
# BUILD_DIR is a Windows build; Sondrix.exe runs under Wine on a virtual display, F1 brings the help
# window up, and Alt+X in the main window ends the program.
set -euo pipefail
repo_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "${1:?usage: $0 BUILD_DIR OUTPUT.png}" && pwd)"
output="$(realpath -m "${2:?usage: $0 BUILD_DIR OUTPUT.png}")"

if [ "${SONDRIX_ON_VIRTUAL_DISPLAY:-}" != 1 ]; then
    cmake --build "$build_dir" --target Sondrix >/dev/null
    SONDRIX_ON_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build_dir" "$output"
fi

export SONDRIX_WINE_BUILD_DIR="$build_dir"
run_dir="$(mktemp -d)"
trap 'rm -rf "$run_dir"' EXIT
(cd "$run_dir" && exec "$repo_dir/cmake/wine-run.sh" "$build_dir/src/Sondrix.exe") &
pid=$!

# Polls until the window titled $1 is shown; its id in $window.
wait_for() {
    window=""
    for _ in $(seq 300); do
        window="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] && return 0
        sleep 0.2
    done
    kill "$pid"
    echo "no window \"$1\"" >&2
    exit 1
}

wait_for Sondrix
main="$window"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key F1
wait_for 'Sondrix help: Sondrix user guide'
sleep 2  # let it paint
import -window "$window" "$output"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+x
wait "$pid"
WINEPREFIX="$build_dir/wineprefix" wineserver -w 2>/dev/null || true
echo "screenshot: $output"
