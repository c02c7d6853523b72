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
rm -f "$out"/*.png "$out"/*.bmp  # a picture not taken again must not pass for new
# The scenarios that take the pictures. A name that matches no test (a renamed scenario) fails
# the script instead of leaving an old picture in place.
tests=(EveryPageCanBeShownAndPhotographed TheAcknowledgementIsShownAndTheRepliesScriptKeptInert)
filter=$(printf '*.%s:' "${tests[@]}")
filter=${filter%:}
e2e=(/usr/lib/wine/wine64 "$build/win64/tests/harfpad_e2e.exe" --exe="$build/win64/src/harfpad.exe"
     --loopback-exe="$build/win64/tests/harfpad_loopback.exe")
for dpi in 96 120 144 192; do
    # One prefix: Wine reads LogPixels, which this sets, when each program starts.
    wine_prepare_prefix "$build/wineprefix-shots" "$dpi"
    wineserver -p || true  # already running is fine
    if [ "$dpi" = 96 ]; then
        listed=$("${e2e[@]}" --gtest_list_tests --gtest_filter="$filter" | tr -d '\r')
        for test in "${tests[@]}"; do
            grep -qx "  $test" <<<"$listed" || { echo "no scenario named $test" >&2; exit 1; }
        done
    fi
    LANG=en_US.UTF-8 "${e2e[@]}" --shots="$out" --tag="${dpi}dpi" --gtest_filter="$filter"
    wineserver -k 2>/dev/null || true
done
shopt -s nullglob
for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
# Every page at every DPI, and the Feedback page after a reply.
missing=0
for dpi in 96 120 144 192; do
    for name in page-setting page-kb-testing page-about page-feedback page-unicode-testing \
        page-other-products feedback-reply; do
        [ -f "$out/$name-${dpi}dpi.png" ] || { echo "not taken: $name-${dpi}dpi.png" >&2; missing=1; }
    done
done
ls "$out"/*.png
exit "$missing"
