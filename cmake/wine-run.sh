#!/bin/sh
# Runs a cross-built Windows program under Wine for CTest: wine-run.sh PREFIX PROGRAM [ARGS...]
#
# The Wine prefix lives in the build folder and is created on first use (about 13 s). Crash
# dialogs are switched off, or a crashing test would wait for a click whenever a display exists.
# Wine's GDI+ finds only the font families whose files lie in the prefix's Fonts folder, so the
# DejaVu fonts that the style sheet names are copied there, again whenever one has gone missing.
# Every run has a time limit; only the low byte of a Windows exit code reaches us (an access
# violation ends with 5).
set -e
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
font_source=/usr/share/fonts/truetype/dejavu
fonts="$prefix/drive_c/windows/Fonts"

lacks_fonts() {
    for font in "$font_source"/DejaVu*.ttf; do
        if [ -f "$font" ] && [ ! -f "$fonts/${font##*/}" ]; then
            return 0
        fi
    done
    return 1
}

if [ ! -f "$prefix/system.reg" ] || lacks_fonts; then
    mkdir -p "$prefix"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            timeout 300 wine wineboot --init >/dev/null 2>&1
            timeout 300 wineserver -w
            timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
                /t REG_DWORD /d 0 /f >/dev/null 2>&1
            timeout 60 wineserver -w
        fi
        if lacks_fonts; then
            mkdir -p "$fonts"
            for font in "$font_source"/DejaVu*.ttf; do
                target="$fonts/${font##*/}"
                # Programs of other runs may be reading the folder: a font appears whole or not.
                if [ -f "$font" ] && [ ! -f "$target" ]; then
                    cp "$font" "$target.part"
                    mv "$target.part" "$target"
                fi
            done
        fi
    ) 9>"$prefix.lock"
fi
exec timeout "${QUORLIN_WINE_TIMEOUT:-600}" wine "$@"
