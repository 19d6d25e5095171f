#!/usr/bin/env bash
# Installs a build into a scratch prefix, as cmake --install does for a user, and starts the
# installed plug-in through VSTPluginMain (the installed quorlin, which finds it by default) with
# the user's folders in a scratch home: the factory presets must reach the user's preset folder
# under "Factory", a preset the user changed there must survive the next start, and a deleted
# "Factory" folder must come back.
set -euo pipefail

build=$1
work=$build/install-check
rm -rf "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

export HOME=$work/home XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME"
shipped="$prefix/share/Quorlin Plugins/Quorlin Chorus/Internal/Factory"
user="$XDG_DATA_HOME/Quorlin Plugins/Quorlin Chorus/Presets/Factory"
quorlin=$prefix/bin/quorlin

fail() {
    echo "install-check: $*" >&2
    exit 1
}

for file in "$prefix/lib/vst/QuorlinChorus.so" "$quorlin" "$prefix/share/doc/quorlin-chorus/README.md" \
    "$prefix/share/doc/quorlin-chorus/LICENSE"; do
    [ -f "$file" ] || fail "not installed: $file"
done

"$quorlin" info >/dev/null
for name in "Lush Chorus" "Slow Ensemble" "Subtle Doubler"; do
    cmp -s "$shipped/$name.preset" "$user/$name.preset" || fail "$name did not reach $user"
done

echo "edited by the user" >"$user/Lush Chorus.preset"
rm "$user/Slow Ensemble.preset"
"$quorlin" info >/dev/null
[ "$(cat "$user/Lush Chorus.preset")" = "edited by the user" ] || fail "a user's preset was overwritten"
[ ! -e "$user/Slow Ensemble.preset" ] || fail "a preset the user deleted came back"

rm -r "$user"
"$quorlin" info >/dev/null
cmp -s "$shipped/Slow Ensemble.preset" "$user/Slow Ensemble.preset" ||
    fail "deleting the Factory folder did not bring the presets back"
echo "install-check: installed into $prefix; factory presets reach the user's folder"
