#!/usr/bin/env bash
# Builds both Windows targets in Release and writes the downloads to build/dist:
#   harfpad-VERSION-win64.zip, harfpad-VERSION-win32.zip (portable: the exe and README.txt)
#   harfpad-VERSION-win64-setup.exe, harfpad-VERSION-win32-setup.exe (per-user installers)
# A distributor's own feedback address goes in through HARFPAD_FEEDBACK_URL in the environment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
jobs="${HARFPAD_JOBS:-$(nproc)}"
"$root/scripts/install-deps.sh"
. "$root/packaging/dist.sh"

mkdir -p "$build"
options=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DHARFPAD_TESTS=OFF)
# Unset, the address goes back to the program's own default in a reused build tree.
if [ -n "${HARFPAD_FEEDBACK_URL:-}" ]; then
    options+=("-DHARFPAD_FEEDBACK_URL=$HARFPAD_FEEDBACK_URL")
else
    options+=(-UHARFPAD_FEEDBACK_URL)
fi
for arch in win64:x86_64 win32:i686; do
    dir="$build/package-${arch%%:*}"
    echo "== build ${arch%%:*} (Release)"
    cmake -S "$root" -B "$dir" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-${arch##*:}.cmake" >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; exit 1; }
    cmake --build "$dir" -j "$jobs" --target harfpad
done

version=$(harfpad_build_version "$build/package-win64")
echo "== package $version"
rm -rf "$build/dist"
harfpad_dist "$build/dist" "$version" "$build/package-win64/src/harfpad.exe" \
    "$build/package-win32/src/harfpad.exe"
ls -l "$build/dist"
