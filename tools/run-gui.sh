#!/usr/bin/env bash
# Starts Sondrix.exe under Wine in a run directory that holds TMPL\, with a sample file (the program's
# own icon) open on its template, so that the first window shows a dissected file.
# With a usable display it just runs until the user ends it. Without one it runs on a virtual
# display, saves a screenshot of the main window, checks that it shows the file, ends the program
# with Alt+X and checks that it exited with 0 and that debug.log ends with an empty leak report.
# Usage: tools/run-gui.sh BUILD_DIR RUN_DIR
set -euo pipefail
repo_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "$1" && pwd)"
mkdir -p "$2"
run_dir="$(cd "$2" && pwd)"
wine_run="$repo_dir/cmake/wine-run.sh"
export SONDRIX_WINE_BUILD_DIR="$build_dir"
timeout_seconds="${SONDRIX_RUN_TIMEOUT:-120}"
sample=(icoMain.ico ico)

fail() {
    echo "run-gui: $*" >&2
    exit 1
}

stage() {
    cp "$build_dir/src/Sondrix.exe" "$run_dir/"
    rm -rf "$run_dir/TMPL"
    mkdir -p "$run_dir/TMPL"
    # Template files, and the sub-directories named like them that the library descends into.
    if [ -d "$build_dir/TMPL" ]; then
        find "$build_dir/TMPL" -mindepth 1 -maxdepth 1 -name '*.tmpl' -exec cp -R {} "$run_dir/TMPL/" \;
    fi
    cp "$repo_dir/src/resources/${sample[0]}" "$run_dir/"
}

main_window() {
    xdotool search --onlyvisible --name '^Sondrix$' 2>/dev/null | head -n 1
}

# Polls until the command succeeds; fails after the time limit or when the program has gone.
poll() {
    local what="$1"
    shift
    local deadline=$((SECONDS + timeout_seconds))
    until "$@"; do
        kill -0 "$pid" 2>/dev/null || fail "Sondrix ended while waiting for $what"
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.2
    done
}

window_found() {
    window="$(main_window)"
    [ -n "$window" ]
}

# The window is drawn once two screenshots in a row are the same.
screenshot_settled() {
    local previous="$shot.previous.png"
    import -window "$window" "$shot" 2>/dev/null || return 1
    if [ -f "$previous" ] && cmp -s "$shot" "$previous"; then
        rm -f "$previous"
        return 0
    fi
    cp "$shot" "$previous"
    return 1
}

# A dissected file fills the window with text; the empty frame has hardly any beside its menu.
shows_document() {
    [ "$(convert "$shot" -colorspace gray -threshold 50% -negate -format '%[fx:mean>0.02]' info:)" = 1 ]
}

run_on_virtual_display() {
    (cd "$run_dir" && exec "$wine_run" ./Sondrix.exe "${sample[@]}") &
    pid=$!
    poll "the main window" window_found
    shot="$run_dir/sondrix-main-window.png"
    rm -f "$shot" "$shot.previous.png"
    poll "a settled screenshot" screenshot_settled
    echo "screenshot: $shot"
    shows_document || { kill "$pid"; fail "the main window shows no document"; }

    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key alt+x
    local deadline=$((SECONDS + timeout_seconds))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || { kill "$pid"; fail "Sondrix did not end on Alt+X"; }
        sleep 0.2
    done
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "Sondrix exited with $status"
    local report
    report="$(tail -n 2 "$run_dir/debug.log" | tr -d '\r')"
    [ "$report" = $'Memory leaks: 0 (0 bytes)\nEnd of Memory leaks list' ] ||
        fail "debug.log does not end with an empty leak report"
    echo "Sondrix exited with 0; debug.log ends with an empty leak report"
    # Let Wine's helper processes leave before the virtual display goes.
    WINEPREFIX="$build_dir/wineprefix" wineserver -w 2>/dev/null || true
}

if [ "${SONDRIX_ON_VIRTUAL_DISPLAY:-}" = 1 ]; then
    run_on_virtual_display
    exit 0
fi

stage
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$run_dir"
    exec "$wine_run" ./Sondrix.exe "${sample[@]}"
fi
SONDRIX_ON_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build_dir" "$run_dir"
