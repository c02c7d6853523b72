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

wine_start_xvfb() {  # wine_start_xvfb DISPLAYNUMBER
    local number=$1
    if [ ! -e "/tmp/.X11-unix/X$number" ]; then
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
    fi
    export DISPLAY=":$number"
}
