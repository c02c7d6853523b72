#!/usr/bin/env bash
# Installs what building, running and testing Harfpad needs on Debian or Ubuntu.
# Asks apt only when a package is missing, so a prepared machine starts at once.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb x11-apps imagemagick fonts-noto-core fonts-dejavu-core
    fonts-dejavu-extra fonts-liberation2 python3 locales nsis 7zip x11-utils nodejs npm
)

missing=()
for package in "${packages[@]}"; do
    # Node.js installed some other way (a newer release, nvm) does as well.
    case "$package" in nodejs | npm) command -v "${package/nodejs/node}" >/dev/null && continue ;; esac
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

# Wine takes its keyboard layout from the locale it starts in; the tests start it in both.
need_locales=()
for wanted in en_US ar_SA; do
    locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$" || need_locales+=("$wanted")
done
if [ "${#need_locales[@]}" -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    for wanted in "${need_locales[@]}"; do
        grep -q "^${wanted}.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null ||
            echo "${wanted}.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi

# parse5 for the differential test of the reply view, at the version its lock file pins.
differential="$(cd "$(dirname "$0")/.." && pwd)/tests/differential"
if ! cmp -s "$differential/package-lock.json" "$differential/node_modules/.package-lock.json.installed"; then
    (cd "$differential" && npm ci --no-audit --no-fund --loglevel=error) &&
        cp "$differential/package-lock.json" "$differential/node_modules/.package-lock.json.installed"
fi
