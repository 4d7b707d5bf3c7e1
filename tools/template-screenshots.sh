#!/usr/bin/env bash
# Photographs the template selection, the template list and the template editor into docs/: a small
# program shows them one after the other with the bundled templates, on a virtual display, and this
# script answers each after its picture: the selection is cancelled, the list opens an editor on
# ico.tmpl, and Alt+X ends the program once the editor's caret sits inside the icon list.
# Usage: tools/template-screenshots.sh BUILD_DIR (a Windows build)
set -euo pipefail
repo_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "$1" && pwd)"
if [ "${SONDRIX_ON_VIRTUAL_DISPLAY:-}" != 1 ]; then
    SONDRIX_ON_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
wine_run="$repo_dir/cmake/wine-run.sh"
export SONDRIX_WINE_BUILD_DIR="$build_dir"
docs="$repo_dir/docs"

fail() {
    echo "template-screenshots: $*" >&2
    exit 1
}

cmake --build "$build_dir" --target template_screens >/dev/null
run_dir="$(mktemp -d)"
trap 'rm -rf "$run_dir"' EXIT
cp "$build_dir/tests/template_screens.exe" "$run_dir/"
mkdir "$run_dir/TMPL"
cp "$build_dir"/TMPL/*.tmpl "$run_dir/TMPL/"
# Unmanaged windows get their caption and frame from Wine itself; without a window manager a
# managed one would have neither.
"$wine_run" reg add 'HKCU\Software\Wine\AppDefaults\template_screens.exe\X11 Driver' /v Managed /d N /f \
    >/dev/null 2>&1

(cd "$run_dir" && exec "$wine_run" ./template_screens.exe) &
pid=$!

# Polls until the window titled $1 is shown; its id in $window.
wait_for() {
    local deadline=$((SECONDS + 60))
    until window="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)" && [ -n "$window" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for \"$1\""
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for \"$1\""
        sleep 0.2
    done
}

# The window is drawn once two pictures in a row are the same.
photograph() {
    local shot="$1" previous="$1.previous.png" deadline=$((SECONDS + 60))
    rm -f "$previous"
    until import -window "$window" "$shot" 2>/dev/null && [ -f "$previous" ] && cmp -s "$shot" "$previous"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$shot never settled"
        [ -f "$shot" ] && cp "$shot" "$previous"
        sleep 0.3
    done
    rm -f "$previous"
    echo "screenshot: $shot"
}

keys() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool "$@"
}

wait_for "Select a template:"
photograph "$docs/template-select.png"
keys key Escape

wait_for "Templates:"
photograph "$docs/template-list.png"
keys type ico
keys key alt+e

wait_for "Sondrix"
keys key Down Down Down Down Down Down
photograph "$docs/template-editor.png"
keys key alt+x
wait "$pid" || fail "the program exited with $?"
