#!/usr/bin/env bash
# Screenshot of a document window with nested lists, for docs/document-window.png; with "find" the
# Find dialog is open over it, a search typed, for docs/find-dialog.png.
#   tools/document-window-shot.sh BUILD_DIR OUTPUT.png [find]
# BUILD_DIR is a Windows build; the program runs under Wine on a virtual display and ends by Alt+X.
set -euo pipefail
repo_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "${1:?usage: $0 BUILD_DIR OUTPUT.png}" && pwd)"
output="$(realpath -m "${2:?usage: $0 BUILD_DIR OUTPUT.png}")"
shown="${3:-}"

if [ "${SONDRIX_ON_VIRTUAL_DISPLAY:-}" != 1 ]; then
    cmake --build "$build_dir" --target document_window_shot >/dev/null
    SONDRIX_ON_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build_dir" "$output" "$shown"
fi

export SONDRIX_WINE_BUILD_DIR="$build_dir"
"$repo_dir/cmake/wine-run.sh" "$build_dir/tools/document_window_shot/document_window_shot.exe" &
pid=$!
window=""
for _ in $(seq 300); do
    window="$(xdotool search --onlyvisible --name '^Sondrix$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { kill "$pid"; echo "no window" >&2; exit 1; }
sleep 2  # let it paint
if [ "$shown" = find ]; then
    # The dialog is a window of its own over the main window: the picture is the screen there.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key ctrl+f
    sleep 1
    xdotool type --delay 50 "value"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
    xdotool key Escape
    sleep 1
else
    import -window "$window" "$output"
fi
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+x
wait "$pid"
WINEPREFIX="$build_dir/wineprefix" wineserver -w 2>/dev/null || true
echo "screenshot: $output"
