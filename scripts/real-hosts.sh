#!/usr/bin/env bash
# Loads the built plug-in in two real Linux hosts from Debian: Qtractor's plug-in scanner, and
# Ardour 7's scanner plus a headless render through Ardour's Lua runner.
# Usage: scripts/real-hosts.sh [path/to/QuorlinChorus.so]
set -euo pipefail

plugin=$(realpath "${1:-build/release/QuorlinChorus.so}")
[ -f "$plugin" ] || { echo "real-hosts: no plug-in at $plugin" >&2; exit 1; }

qtractor_scan=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
ardour_lib=/usr/lib/ardour7
ardour_scan=$ardour_lib/ardour-vst-scanner

# Everything the hosts and the plug-in write goes below one temporary folder.
work=$(mktemp -d /tmp/quorlin-real-hosts.XXXXXX)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config \
    XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"

failures=0
fail() { echo "real-hosts: FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "real-hosts: ok: $*"; }

# Qtractor's scanner exits 0 whatever happens; its one output line tells.
# Fields: type|name|audio in:out|midi in:out|params|flags|path|index|unique id
line=$(echo "VST:$plugin" | timeout 60 "$qtractor_scan" 2>/dev/null | grep '^VST|' || true)
IFS='|' read -r _ name audio _ params _ <<<"$line"
if [ "${name:-}" = "Quorlin Chorus" ] && [ "${audio:-}" = "2:2" ] && [ "${params%%:*}" = "109" ]; then
    pass "Qtractor: $line"
else
    fail "Qtractor scanner said: '${line}'"
fi

# Ardour finds LXVST plug-ins only on LXVST_PATH, only once scanned into its cache, and skips a
# file modified within the current second.
vst_dir=$work/vst
mkdir -p "$vst_dir"
cp "$plugin" "$vst_dir/QuorlinChorus.so"
touch -d '1 minute ago' "$vst_dir/QuorlinChorus.so"
scan=$(LD_LIBRARY_PATH=$ardour_lib timeout 60 "$ardour_scan" -f "$vst_dir/QuorlinChorus.so" 2>&1 || true)
if grep -q "Found Plugin:.*Quorlin Chorus" <<<"$scan"; then
    pass "Ardour scanner found the plug-in"
else
    fail "Ardour scanner said: $scan"
fi

session=$work/session
export_dir=$work/export
mkdir -p "$export_dir"
# Every object the script takes from the session lives inside render () and is collected before
# close_session (): Lua would otherwise free tracks, plug-ins and the exporter after the session
# is gone, which corrupts Ardour's heap.
cat >"$work/render.lua" <<LUA
AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session ("$session", "render", 48000)
assert (s, "no session")
s = nil
function render ()
    local tracks = Session:new_audio_track (2, 2, nil, 1, "Chorus",
        ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
    local track = tracks:front ()
    local noise = ARDOUR.LuaAPI.new_luaproc (Session, "ACE Noise")
    assert (not noise:isnil (), "no ACE Noise")
    track:add_processor_by_index (noise, 0, nil, true)
    local chorus = ARDOUR.LuaAPI.new_plugin (Session, "Quorlin Chorus", ARDOUR.PluginType.LXVST, "")
    assert (not chorus:isnil (), "Quorlin Chorus not found")
    track:add_processor_by_index (chorus, 1, nil, true)
    local i = 0
    while true do
        local proc = track:nth_plugin (i)
        if proc:isnil () then break end
        print ("processor: " .. proc:display_name ())
        i = i + 1
    end
    local e = Session:simple_export ()
    e:set_name ("render")
    e:set_folder ("$export_dir")
    e:set_range (0, 48000)
    assert (e:set_preset ("75969a1c-3133-4694-864b-a1fa50e43348"), "no WAV preset")
    assert (e:check_outputs (), "nothing to export")
    assert (e:run_export (), "export failed")
    print ("exported")
end
render ()
collectgarbage ()
collectgarbage ()
Session:save_state ("")
close_session ()
LUA

# Ardour 7.3's export corrupts its own heap now and then, more often on a busy machine: it aborts
# (134) or crashes (139) freeing its export channels, and sometimes writes a silent file. The same
# happens with no plug-in on the track at all. So a failed attempt is retried a bounded number of
# times, and a crash counts against the plug-in outright when the crashing thread's stack, read
# from the core file, runs through it. Without a core file (the machine may send cores elsewhere)
# a crash is only retried.
ulimit -c unlimited 2>/dev/null || true
crash_stack() {
    local core
    core=$(find "$work" -maxdepth 1 -name 'core*' -type f | head -1)
    [ -n "$core" ] || return 1
    DEBUGINFOD_URLS= gdb -q -nx -batch -ex bt "$ardour_lib/luasession" "$core" 2>/dev/null |
        grep '^#' | head -40
    rm -f "$core"
}
rendered=no
for attempt in 1 2 3 4 5; do
    rm -rf "$session" "${export_dir:?}"/* "$work"/core*
    set +e
    output=$(cd "$work" && LXVST_PATH=$vst_dir timeout 300 ardour7-lua "$work/render.lua" 2>&1)
    status=$?
    set -e
    if [ "$status" -eq 134 ] || [ "$status" -eq 139 ]; then
        if stack=$(crash_stack); then
            if grep -q 'QuorlinChorus' <<<"$stack"; then
                fail "ardour7-lua crashed inside the plug-in (attempt $attempt, exit $status)"
                echo "$stack" >&2
                break
            fi
            echo "real-hosts: attempt $attempt: Ardour crashed in its own code (exit $status):" \
                "$(grep -m1 -o 'in [A-Za-z_:~]*ARDOUR::[A-Za-z_:~]*' <<<"$stack" || true)" >&2
        else
            echo "real-hosts: attempt $attempt: ardour7-lua crashed (exit $status), no core to read" >&2
        fi
    fi
    wav=$(find "$export_dir" -name '*.wav' | head -1)
    if [ -n "$wav" ] && grep -q "processor: Quorlin Chorus" <<<"$output"; then
        peak=$(python3 -c "
import sys, wave, array
w = wave.open(sys.argv[1]); frames = w.readframes(w.getnframes())
width = w.getsampwidth()
if width == 2: data = array.array('h', frames); print(max(map(abs, data)) / 32768.0)
elif width == 4: data = array.array('i', frames); print(max(map(abs, data)) / 2147483648.0)
else: data = [int.from_bytes(frames[i:i+3], 'little', signed=True) for i in range(0, len(frames), 3)]; print(max(map(abs, data)) / 8388608.0)
" "$wav" 2>/dev/null || echo 0)
        if python3 -c "import sys; sys.exit(0 if float('$peak') > 1e-4 else 1)"; then
            pass "Ardour rendered through the plug-in (peak $peak, attempt $attempt, exit $status)"
            rendered=yes
            break
        fi
        echo "real-hosts: attempt $attempt: exported file is silent (peak $peak)" >&2
    else
        echo "real-hosts: attempt $attempt: exit $status, no export or plug-in missing" >&2
        echo "$output" | tail -15 >&2
    fi
done
[ "$rendered" = yes ] || fail "Ardour did not render audio through the plug-in"

if [ "$failures" -ne 0 ]; then
    echo "real-hosts: $failures check(s) failed" >&2
    exit 1
fi
echo "real-hosts: all checks passed"
