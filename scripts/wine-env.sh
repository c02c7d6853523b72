# Sourced by the run and test scripts: a private Wine prefix and an X display.
# Sets WINEPREFIX, WINEARCH, WINEDEBUG and, when asked for a virtual screen, DISPLAY.

wine_prepare_prefix() {  # wine_prepare_prefix DIR [LOGPIXELS]
    export WINEARCH=win64 WINEDEBUG=-all WINEPREFIX="$1"
    local dpi="${2:-96}"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # Faces with Arabic glyphs for those the program asks for, as Windows has them.
    local fonts
    fonts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-fonts.reg"
    if [ ! -f "$WINEPREFIX/.harfpad-fonts" ] || [ "$fonts" -nt "$WINEPREFIX/.harfpad-fonts" ]; then
        /usr/lib/wine/wine64 regedit /S "Z:${fonts//\//\\}" >/dev/null 2>&1 &&
            touch "$WINEPREFIX/.harfpad-fonts"
    fi
    # Without a window manager, managed windows make Wine wait two seconds on every hide.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f >/dev/null 2>&1
}

# True when display NUMBER is served by a live X server. A machine restored from a snapshot
# can keep /tmp/.X11-unix/XN and /tmp/.XN-lock of a server that no longer runs.
wine_xvfb_alive() {  # wine_xvfb_alive DISPLAYNUMBER
    local number=$1 pid
    [ -S "/tmp/.X11-unix/X$number" ] || return 1
    pid=$(tr -dc '0-9' <"/tmp/.X$number-lock" 2>/dev/null) || return 1
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && grep -q '^X' "/proc/$pid/comm" 2>/dev/null
}

# Uses display NUMBER if an X server runs there, otherwise starts Xvfb on it. Exports DISPLAY
# and, when it started the server, WINE_XVFB_PID (so the caller can stop it).
wine_start_xvfb() {  # wine_start_xvfb DISPLAYNUMBER
    local number=$1
    WINE_XVFB_PID=""
    if ! wine_xvfb_alive "$number"; then
        rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        WINE_XVFB_PID=$!
        for _ in $(seq 100); do
            wine_xvfb_alive "$number" && break
            kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if ! wine_xvfb_alive "$number"; then
            echo "Xvfb did not start on :$number" >&2
            return 1
        fi
    fi
    export DISPLAY=":$number" WINE_XVFB_PID
}
