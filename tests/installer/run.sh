#!/usr/bin/env bash
# The downloads, checked. Makes the zips and installers from the win64 and win32 build trees
# (the same steps as scripts/package.sh, without its Release builds), checks which exe each
# holds, then installs, starts, reinstalls over a running copy and uninstalls the 64-bit
# installer under Wine in a fresh prefix of its own. The 32-bit installer is only checked
# statically: this Wine runs 64-bit programs only.
# Needs scripts/build.sh win64 win32 and an X server in DISPLAY (scripts/test.sh sets both).
# Ends with one line: "installer tests: N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${HARFPAD_BUILD_DIR:-$root/build}"
work="$build/installer-test"
. "$root/packaging/dist.sh"
. "$root/scripts/wine-env.sh"
# Installs must write nothing outside the test prefix: no menu entries for the desktop.
export WINEDLLOVERRIDES=winemenubuilder.exe=d
wine=/usr/lib/wine/wine64

passed=0
failed=0
case_() {  # case_ NAME FUNCTION: one test case; the function says why it fails
    echo "-- $1"
    if "$2"; then
        passed=$((passed + 1))
        echo "ok   $1"
    else
        failed=$((failed + 1))
        echo "FAIL $1"
    fi
}
expect() {  # expect WHAT ACTUAL EXPECTED
    [ "$2" == "$3" ] && return 0
    echo "  $1: got '$2', expected '$3'"
    return 1
}

# What is read from an exe, by the tools that know PE files: its machine (i386 or x86-64), the
# version resource's ProductVersion and the manifest's requested execution level.
pe_machine() { x86_64-w64-mingw32-objdump -f "$1" | sed -nE 's/.*file format pei-(.*)$/\1/p'; }
pe_version() { strings -el "$1" | grep -A1 -x ProductVersion | tail -n +2; }
pe_level() { grep -aoE 'requestedExecutionLevel[[:space:]]+level="[A-Za-z]+"' "$1" | cut -d'"' -f2; }

version=$(harfpad_build_version "$build/win64")
exe64="$build/win64/src/harfpad.exe"
exe32="$build/win32/src/harfpad.exe"
dist="$work/dist"

t_dist() {
    rm -rf "$work" && mkdir -p "$work" || return 1
    [ -n "$version" ] || { echo "  no version in the win64 build"; return 1; }
    harfpad_dist "$dist" "$version" "$exe64" "$exe32" || return 1
    local want have
    want=$(printf '%s\n' "harfpad-$version-win32-setup.exe" "harfpad-$version-win32.zip" \
        "harfpad-$version-win64-setup.exe" "harfpad-$version-win64.zip")
    have=$(ls "$dist" | LC_ALL=C sort)
    expect "files in dist" "$have" "$want"
}

t_zips() {
    local ok=0 arch machine
    for arch in win64:x86-64 win32:i386; do
        machine=${arch##*:}
        local zip="$dist/harfpad-$version-${arch%%:*}.zip"
        7zz e -y -so "$zip" harfpad.exe >"$work/zipped.exe" || ok=1
        expect "exe in ${zip##*/}" "$(pe_machine "$work/zipped.exe")" "$machine" || ok=1
        expect "files in ${zip##*/}" "$(python3 -m zipfile -l "$zip" | awk 'NR>1{print $1}' | LC_ALL=C sort |
            tr '\n' ' ')" "README.txt harfpad.exe " || ok=1
    done
    return $ok
}

t_installers() {
    local ok=0 arch setup built
    for arch in win64:x86-64 win32:i386; do
        setup="$dist/harfpad-$version-${arch%%:*}-setup.exe"
        built="$build/${arch%%:*}/src/harfpad.exe"
        # The installer itself runs as the machine it installs for, asking for no elevation, and
        # holds the very exe of that machine's build (whose machine the zips' check reads).
        expect "${setup##*/} machine" "$(pe_machine "$setup")" "${arch##*:}" || ok=1
        expect "${setup##*/} execution level" "$(pe_level "$setup")" asInvoker || ok=1
        7zz x -y -o"$work/unpacked-${arch%%:*}" "$setup" harfpad.exe >/dev/null || ok=1
        cmp -s "$work/unpacked-${arch%%:*}/harfpad.exe" "$built" ||
            { echo "  ${setup##*/} holds another harfpad.exe than $built"; ok=1; }
    done
    return $ok
}

# ---- under Wine
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Harfpad'
winpath() { sed 's|/|\\|g; s|^|Z:|' <<<"$1"; }
wine_env() { "$wine" cmd /c "echo %$1%" | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
setup64="$dist/harfpad-$version-win64-setup.exe"

# Values of the uninstall entry as NAME=VALUE lines (DWORDs as reg prints them: 0x...).
entry() {
    "$wine" reg query "$key" 2>/dev/null | tr -d '\r' |
        sed -nE 's/^    ([A-Za-z]+)    REG_[A-Z_]+    (.*)$/\1=\2/p' | sort
}
value() { entry | sed -n "s/^$1=//p"; }

# Starts the installed program in the background and waits for its main window on the screen:
# up to two minutes, as a fresh prefix on a busy machine can take most of one.
copy_pid=""
start_copy() {
    "$wine" "$instdir/harfpad.exe" >/dev/null 2>&1 &
    copy_pid=$!
    for _ in $(seq 1200); do
        xwininfo -root -tree 2>/dev/null | grep -q '"Harfpad by Zemrak"' && return 0
        sleep 0.1
    done
    echo "  the installed program showed no main window"
    return 1
}
# True when the copy started last has ended within LIMIT seconds with exit status 0.
copy_ended() {  # copy_ended LIMIT
    for _ in $(seq $(($1 * 10))); do
        if ! kill -0 "$copy_pid" 2>/dev/null; then
            wait "$copy_pid"
            expect "exit status of the running copy" "$?" 0
            return
        fi
        sleep 0.1
    done
    echo "  the running copy is still running"
    kill "$copy_pid" 2>/dev/null
    return 1
}

t_install() {
    rm -rf "$work/prefix"
    wine_prepare_prefix "$work/prefix" 96
    local localappdata
    localappdata=$(wine_env LOCALAPPDATA)
    instwin="$localappdata\\Programs\\Harfpad"
    instdir=$(unix_path "$instwin")
    shortcut=$(unix_path "$(wine_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Harfpad.lnk")
    temp=$(unix_path "$(wine_env TEMP)")
    [ -n "$localappdata" ] && [ -n "$instdir" ] || { echo "  no %LOCALAPPDATA%"; return 1; }
    "$wine" "$setup64" /S
    expect "installer exit status" "$?" 0 || return 1
    local ok=0
    cmp -s "$instdir/harfpad.exe" "$exe64" || { echo "  no harfpad.exe in $instdir"; ok=1; }
    [ -f "$instdir/uninstall.exe" ] || { echo "  no uninstall.exe in $instdir"; ok=1; }
    # The shortcut is there and starts the installed exe.
    grep -qaF "Programs\\Harfpad\\harfpad.exe" "$shortcut" 2>/dev/null ||
        { echo "  no shortcut $shortcut pointing at the installed exe"; ok=1; }
    return $ok
}

t_entry() {
    local ok=0 size_kib
    size_kib=$((($(stat -c %s "$instdir/harfpad.exe") + 1023) / 1024))
    local pair
    for pair in DisplayName=Harfpad "DisplayVersion=$version" "Publisher=Zemrak Software" \
        "DisplayIcon=$instwin\\harfpad.exe" "InstallLocation=$instwin" \
        "UninstallString=\"$instwin\\uninstall.exe\"" \
        "QuietUninstallString=\"$instwin\\uninstall.exe\" /S" NoModify=0x1 NoRepair=0x1; do
        expect "${pair%%=*}" "$(value "${pair%%=*}")" "${pair#*=}" || ok=1
    done
    expect "the exe's version resource" "$(pe_version "$instdir/harfpad.exe")" \
        "$version" || ok=1
    local estimated
    estimated=$(value EstimatedSize)
    # In KiB, at least the program itself.
    [[ "$estimated" =~ ^0x[0-9a-fA-F]+$ ]] && [ $((estimated)) -ge "$size_kib" ] ||
        { echo "  EstimatedSize '$estimated' is below the exe's $size_kib KiB"; ok=1; }
    return $ok
}

t_install_over_running_copy() {
    # A build that differs from the installed one only by bytes after its image.
    cp "$exe64" "$work/harfpad-next.exe" && echo "next build" >>"$work/harfpad-next.exe" &&
        harfpad_setup amd64-unicode "$work/harfpad-next.exe" "$version" "$work/next-setup.exe" \
            >/dev/null || return 1
    start_copy || return 1
    "$wine" "$work/next-setup.exe" /S
    local status=$? ok=0
    copy_ended 30 || ok=1
    expect "installer exit status" "$status" 0 || ok=1
    cmp -s "$instdir/harfpad.exe" "$work/harfpad-next.exe" ||
        { echo "  the exe was not replaced"; ok=1; }
    return $ok
}

t_uninstall() {
    local quiet ok=0
    quiet=$(value QuietUninstallString)
    start_copy || return 1
    # Run as Windows would run the entry's command line: from a batch file, as it stands.
    printf '@%s\r\n' "$quiet" >"$work/uninstall.bat"
    "$wine" cmd /c "$(winpath "$work/uninstall.bat")"
    copy_ended 30 || ok=1
    # The uninstaller goes on from its copy in the temporary folder after the command returns,
    # and that copy goes once it has ended.
    for _ in $(seq 100); do
        [ ! -e "$instdir" ] && [ -z "$(entry)" ] && [ -z "$(ls -d "$temp"/~nsu* 2>/dev/null)" ] &&
            break
        sleep 0.2
    done
    [ -z "$(ls -d "$temp"/~nsu* 2>/dev/null)" ] ||
        { echo "  the uninstaller's copy is left: $(ls -d "$temp"/~nsu*)"; ok=1; }
    [ ! -e "$instdir" ] || { echo "  $instdir is left: $(ls -A "$instdir" | tr '\n' ' ')"; ok=1; }
    [ ! -e "$shortcut" ] || { echo "  the shortcut is left"; ok=1; }
    "$wine" reg query "$key" >/dev/null 2>&1 && { echo "  the uninstall key is left"; ok=1; }
    return $ok
}

case_ "the four downloads are made, named with version $version" t_dist
case_ "each zip holds the exe for its machine and README.txt" t_zips
case_ "each installer runs as its machine, as invoker, and holds that machine's exe" t_installers
if [ -f "$setup64" ]; then
    case_ "a silent install puts the exe in %LOCALAPPDATA%\\Programs\\Harfpad and a Start-menu shortcut" t_install
    case_ "the uninstall entry holds every value" t_entry
    case_ "the installed exe starts; installing over it ends that copy, status 0, and replaces the exe" t_install_over_running_copy
    case_ "a silent uninstall ends the running copy and removes the folder, shortcut, entry and its own copy" t_uninstall
    wineserver -k 2>/dev/null
else
    failed=$((failed + 4))
fi
echo "installer tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
