#!/usr/bin/env bash
# Builds one or more configurations: native (unit tests and tools), win64, win32, fuzz.
# Usage: scripts/build.sh [native] [win64] [win32] [fuzz]   (no argument: all four)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
jobs="${HARFPAD_JOBS:-$(nproc)}"
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(native win64 win32 fuzz)

configure_and_build() {
    local dir=$1
    shift
    # HARFPAD_CMAKE_ARGS: extra configure options, such as a second checkout's own e2e port.
    # shellcheck disable=SC2086
    cmake -S "$root" -B "$build/$dir" -G Ninja "$@" ${HARFPAD_CMAKE_ARGS:-} >"$build/$dir.configure.log" 2>&1 ||
        { cat "$build/$dir.configure.log"; return 1; }
    # HARFPAD_BUILD_TARGET: build only this target (the run script builds just the program).
    cmake --build "$build/$dir" -j "$jobs" ${HARFPAD_BUILD_TARGET:+--target "$HARFPAD_BUILD_TARGET"}
}

mkdir -p "$build"
for target in "${targets[@]}"; do
    echo "== build $target"
    case "$target" in
        native) configure_and_build native -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
        win64) configure_and_build win64 -DCMAKE_BUILD_TYPE=Release \
                   -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" ;;
        # The 32-bit target cannot run here; it must build and link.
        win32) configure_and_build win32 -DCMAKE_BUILD_TYPE=Release -DHARFPAD_TESTS=OFF \
                   -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" ;;
        fuzz) configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHARFPAD_FUZZ=ON \
                  -DHARFPAD_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
        *) echo "unknown build: $target" >&2; exit 2 ;;
    esac
done
