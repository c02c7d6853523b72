#!/usr/bin/env bash
# Performance figures for the README, measured in one run on this machine: start-up against an
# empty window under the same Wine, memory, idle cost, exe sizes and imports, key-script speed.
# Needs the native and both Windows builds (scripts/build.sh native win64 win32).
# Usage: scripts/perf.sh [DISPLAYNUMBER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
. "$root/scripts/wine-env.sh"
wine_start_xvfb "${1:-${HARFPAD_XVFB_DISPLAY:-93}}"
wine_prepare_prefix "$build/wineprefix-perf" 96
wineserver -p || true
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true  # caches built before timing

echo "### Start-up, memory and idle cost (Wine 8, Xvfb, 96 DPI)"
echo
/usr/lib/wine/wine64 "$build/win64/tests/harfpad_perf.exe" "$build/win64/src/harfpad.exe" \
    "$build/win64/tests/minimal_window.exe" | tr -d '\r'
echo
echo "The program creates no timer and no thread of its own:"
echo "\`grep -rnE 'SetTimer|CreateThread|std::thread|_beginthread' src\` finds $(
    grep -rnE 'SetTimer|CreateThread|std::thread|_beginthread' "$root/src" | wc -l) places."
echo
echo "### Size and imports"
echo
echo "| target | harfpad.exe | imports |"
echo "|---|---:|---|"
for target in win64:x86_64 win32:i686; do
    dir=${target%%:*} arch=${target##*:}
    exe="$build/$dir/src/harfpad.exe"
    size=$(stat -c %s "$exe")
    imports=$("$arch-w64-mingw32-objdump" -p "$exe" | sed -n 's/.*DLL Name: //p' | sort -f |
        tr '\n' ' ')
    echo "| $dir | $((size / 1024)) KiB | $imports|"
done
echo
echo "### Key scripts"
echo
"$build/native/bench/keys_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    2>/dev/null | grep -E 'median|Benchmark' || true
wineserver -k 2>/dev/null || true
