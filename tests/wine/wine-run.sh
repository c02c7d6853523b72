#!/usr/bin/env bash
# Runs one Windows test program under the test run's Wine prefix and display.
# scripts/test.sh sets WINEPREFIX and DISPLAY and keeps one wineserver alive.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEARCH=win64 WINEDEBUG=-all
exec /usr/lib/wine/wine64 "$@"
