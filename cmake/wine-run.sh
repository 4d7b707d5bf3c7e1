#!/usr/bin/env bash
# Runs a Windows executable under Wine with a prefix of its own inside the build tree.
set -eu
exe="$1"; shift
build_dir="${SONDRIX_WINE_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}"
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
export WINEARCH=win64
# The caption buttons draw their glyphs in Marlett, which Debian's Wine keeps outside the prefix.
marlett="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
# Parallel build steps may start Wine at once: only one of them creates the prefix.
if [ ! -f "$WINEPREFIX/.sondrix-ready" ] || [ ! -f "$marlett" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.sondrix-ready" ]; then
            wineboot --init >/dev/null 2>&1 || true
            wineserver -w 2>/dev/null || true
            touch "$WINEPREFIX/.sondrix-ready"
        fi
        if [ ! -f "$marlett" ]; then
            mkdir -p "$(dirname "$marlett")"
            cp /usr/share/wine/fonts/marlett.ttf "$marlett"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec wine "$exe" "$@"
