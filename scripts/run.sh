#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit program and starts it under Wine on this display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Only the program itself: the tests are built by scripts/test.sh.
HARFPAD_BUILD_TARGET=harfpad "$root/scripts/build.sh" win64
. "$root/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting a virtual screen :77 (view it with a VNC server or take xwd shots)."
    wine_start_xvfb 77
fi
# The prefix is made as the tests make theirs, with the font mapping of wine-fonts.reg, so the
# window looks as in the pictures.
wine_prepare_prefix "${WINEPREFIX:-$root/build/wineprefix-run}"
exec /usr/lib/wine/wine64 "$root/build/win64/src/harfpad.exe"
