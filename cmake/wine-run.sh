#!/bin/sh
# Runs a cross-built Windows program under Wine for CTest: wine-run.sh PREFIX PROGRAM [ARGS...]
#
# The Wine prefix lives in the build folder and is created on first use (about 13 s). Crash
# dialogs are switched off, or a crashing test would wait for a click whenever a display exists.
# Every run has a time limit; only the low byte of a Windows exit code reaches us (an access
# violation ends with 5).
set -e
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
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
    ) 9>"$prefix.lock"
fi
exec timeout "${QUORLIN_WINE_TIMEOUT:-600}" wine "$@"
