#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test: native unit tests,
# the Win32 layer and real windows under Wine on a private virtual screen, the fuzzers, and the
# reply view against parse5.
# Ends with one line: "harfpad tests: N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
export HARFPAD_BUILD_DIR="$build"
logs="$build/test-logs"

"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/build.sh" native win64 win32 fuzz || { echo "harfpad tests: 0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"

. "$root/scripts/wine-env.sh"
display_number="${HARFPAD_XVFB_DISPLAY:-93}"
wine_start_xvfb "$display_number" || { echo "harfpad tests: 0 passed, 1 failed"; exit 1; }
export LANG=en_US.UTF-8
wine_prepare_prefix "$build/wineprefix-test" 96
wineserver -p  # one server for the whole run, so each test exe starts quickly
# The first program of a prefix builds Wine's caches; let that happen outside any test's time.
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true

passed=0
failed=0
run_ctest() {  # run_ctest NAME DIR [ctest options...]
    local name=$1 dir=$2
    shift 2
    echo "== test $name"
    ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$logs/$name.log"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$logs/$name.log" | tail -1)
    if [ -n "$line" ]; then
        local bad total
        bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    elif ! grep -q 'No tests were found' "$logs/$name.log"; then
        failed=$((failed + 1))
    fi
}

# One layout for the whole tree: every source file as .clang-format writes it.
echo "== format"
if git -C "$root" ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' \
    'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' |
    (cd "$root" && xargs -0 clang-format --dry-run -Werror) >"$logs/format.log" 2>&1
then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    grep 'error:' "$logs/format.log" | head -20
fi

run_ctest fuzz "$build/fuzz"
run_ctest wine "$build/win64"
echo "== screenshots (96, 120, 144 and 192 DPI)"
if "$root/scripts/screenshots.sh" "$display_number" >"$logs/screenshots.log" 2>&1; then
    passed=$((passed + 1))
    grep -c '\.png$' "$logs/screenshots.log" | sed 's/$/ pages photographed in build\/screenshots/'
else
    failed=$((failed + 1))
    tail -20 "$logs/screenshots.log"
fi
run_ctest native "$build/native" -j 2
echo "== reply view against parse5"
if node "$root/tests/differential/run.mjs" "$build/native/tools/replyview" 2>&1 | tee "$logs/differential.log"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

# The zips and installers, installed and uninstalled in a Wine prefix of their own.
echo "== test installer"
"$root/tests/installer/run.sh" 2>&1 | tee "$logs/installer.log"
counts=$(sed -nE 's/^installer tests: ([0-9]+) passed, ([0-9]+) failed$/\1 \2/p' "$logs/installer.log")
if [ -n "$counts" ]; then
    passed=$((passed + ${counts% *}))
    failed=$((failed + ${counts#* }))
else
    failed=$((failed + 1))
fi

wineserver -k 2>/dev/null || true
[ -n "$WINE_XVFB_PID" ] && kill "$WINE_XVFB_PID" 2>/dev/null
echo "harfpad tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
