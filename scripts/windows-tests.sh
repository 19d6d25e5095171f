#!/usr/bin/env bash
# Cross-builds the Windows DLL with its test programs and runs them under Wine: the portable tests,
# the host-level battery against the DLL, its import and export tables, and the comparison with
# the Linux build's audio (which needs build/release built first).
set -euo pipefail
cd "$(dirname "$0")/.."

# The editor's tests make real windows: everything Wine starts, its server and desktop included,
# runs on one virtual X display of its own.
if [ -z "${QUORLIN_WINDOWS_TESTS_DISPLAY:-}" ]; then
    exec env QUORLIN_WINDOWS_TESTS_DISPLAY=1 xvfb-run -a -s "-screen 0 1600x1300x24" "$0" "$@"
fi

build=build/windows-tests
cmake --preset windows-tests
cmake --build --preset windows-tests

prefix=$PWD/$build/wine-prefix
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Creates the prefix if needed, then ends that run's server, or one an interrupted run left
# behind: only one server may serve a prefix.
cmake/wine-run.sh "$prefix" cmd /c exit >/dev/null 2>&1 </dev/null || true
wineserver -k 2>/dev/null || true
timeout 60 wineserver -w || true

# One server for the whole run makes each test program start in a fraction of a second instead of
# one and a half. Wine's background services start with the first client and inherit its output:
# a throw-away client with its output in /dev/null starts them, or CTest would wait on the pipe.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null || true

# Now and then Wine ends a program before it starts, with no output and no trace of the test
# (seen once in hundreds of runs, never twice in a row): such a test gets one more run, and a real
# failure fails both.
ctest --test-dir "$build" -j2 --timeout 300 --output-on-failure --repeat until-pass:2
