#!/usr/bin/env bash
# Photographs every page of harfpad.exe under Wine at 96, 120, 144 and 192 DPI (Wine's
# LogPixels), and the Feedback page after a reply from a loopback server, as PNG files in
# build/screenshots. Needs a built win64 tree; scripts/test.sh runs it after the tests.
# Usage: scripts/screenshots.sh [DISPLAYNUMBER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
out="$build/screenshots"
. "$root/scripts/wine-env.sh"
wine_start_xvfb "${1:-${HARFPAD_XVFB_DISPLAY:-93}}"
mkdir -p "$out"
for dpi in 96 120 144 192; do
    # One prefix: Wine reads LogPixels, which this sets, when each program starts.
    wine_prepare_prefix "$build/wineprefix-shots" "$dpi"
    wineserver -p || true  # already running is fine
    LANG=en_US.UTF-8 /usr/lib/wine/wine64 "$build/win64/tests/harfpad_e2e.exe" \
        --exe="$build/win64/src/harfpad.exe" \
        --loopback-exe="$build/win64/tests/harfpad_loopback.exe" --shots="$out" \
        --tag="${dpi}dpi" \
        --gtest_filter='*EveryPageCanBeShownAndPhotographed*:*TypedFieldsArriveAsAFormPost*'
    wineserver -k 2>/dev/null || true
done
shopt -s nullglob
for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$out"/*.png
