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
yardsticks="$build/win64/bench/startup"
/usr/lib/wine/wine64 "$yardsticks/harfpad_perf.exe" "$build/win64/src/harfpad.exe" \
    "$yardsticks/empty_window.exe" "$yardsticks/tab_window.exe" | tr -d '\r'
echo
echo "The program creates no timer and no thread of its own:"
echo "\`grep -rnE 'SetTimer|CreateThread|std::thread|_beginthread' src\` finds $(
    grep -rnE 'SetTimer|CreateThread|std::thread|_beginthread' "$root/src" | wc -l) places."
echo
echo "### Start-up phases inside the program (measuring build, median of 9)"
echo
# The same program built with HARFPAD_STARTUP_TRACE: each phase's time since the process was
# created, so the first row is what Wine and the loader take before the program's own code.
trace_build="$build/win64-trace"
cmake -S "$root" -B "$trace_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHARFPAD_TESTS=OFF \
    -DHARFPAD_STARTUP_TRACE=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
    >/dev/null
cmake --build "$trace_build" --target harfpad >/dev/null
traces="$build/perf-traces"
rm -rf "$traces" && mkdir -p "$traces"
for run in $(seq 9); do
    HARFPAD_TRACE_FILE="Z:${traces//\//\\}\\run$run.txt" \
        /usr/lib/wine/wine64 "$trace_build/src/harfpad.exe" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        grep -q '^painted' "$traces/run$run.txt" 2>/dev/null && break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.3
done
echo "| phase | ms since the process was created | committed KiB |"
echo "|---|---:|---:|"
python3 - "$traces" <<'PY'
import pathlib, statistics, sys
runs = [{l.split()[0]: l.split()[1:] for l in p.read_text().split("\n") if l.strip()}
        for p in sorted(pathlib.Path(sys.argv[1]).glob("run*.txt"))]
for phase in ["entry", "common-controls", "form-window", "tab-and-pages", "first-page",
              "form-load", "shown", "painted"]:
    rows = [r[phase] for r in runs if phase in r]
    if rows:
        ms = statistics.median(float(row[0]) for row in rows)
        kib = statistics.median(float(row[1]) for row in rows)
        print(f"| {phase} | {ms:.1f} | {kib:.0f} |")
PY
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
