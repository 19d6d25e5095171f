#!/usr/bin/env bash
# Checks the Debian package as a user would meet it: unpacked into a scratch root, its file list
# is what we ship and its quorlin runs and finds the plug-in beside it; lintian finds no errors
# (its warnings are printed). Then the Windows zip's contents.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUORLIN_PACKAGE_BUILD:-build/package}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/quorlin-chorus_${version}_amd64.deb
root=$build/package-check
rm -rf "$root"
mkdir -p "$root"
dpkg -x "$deb" "$root"

internal="usr/share/Quorlin Plugins/Quorlin Chorus/Internal"
expected=(
    usr/bin/quorlin
    usr/lib/vst/QuorlinChorus.so
    "$internal/Factory/Lush Chorus.preset"
    "$internal/Factory/Slow Ensemble.preset"
    "$internal/Factory/Subtle Doubler.preset"
    usr/share/doc/quorlin-chorus/README.md
    usr/share/doc/quorlin-chorus/LICENSE
    usr/share/doc/quorlin-chorus/copyright
    usr/share/doc/quorlin-chorus/changelog.gz
)
if [ -f data/stylesheet.dat ]; then
    expected+=("$internal/stylesheet.dat")
fi
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
    echo "package-check: the package holds other files than expected:" >&2
    diff <(echo "$wanted") <(echo "$actual") >&2 || true
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in
*libc6* ) ;;
* ) echo "package-check: no shared-library dependencies found: \"$depends\"" >&2; exit 1 ;;
esac
case "$depends" in
*libsndfile1* ) ;;
* ) echo "package-check: quorlin needs libsndfile1, the package does not say so: \"$depends\"" >&2
    exit 1 ;;
esac

home=$root/home
mkdir -p "$home"
info=$(HOME=$home XDG_DATA_HOME=$home/data "$root/usr/bin/quorlin" info)
grep -q "Quorlin Chorus" <<<"$info" || { echo "package-check: quorlin info: $info" >&2; exit 1; }
"$root/usr/bin/quorlin" --version | grep -qx "quorlin $version"

# lintian's exit status counts errors; warnings are for the record.
lintian --tag-display-limit 0 "$deb" || { echo "package-check: lintian reports errors" >&2; exit 1; }

zip=$build/QuorlinChorus-$version-win64.zip
listing=$(cd "$build" && cmake -E tar tf "QuorlinChorus-$version-win64.zip")
for file in QuorlinChorus.dll "Factory/Lush Chorus.preset" READ-ME.txt LICENSE.txt; do
    grep -qx "QuorlinChorus-$version-win64/$file" <<<"$listing" ||
        { echo "package-check: $zip lacks $file" >&2; exit 1; }
done
echo "package-check: $deb and $zip are complete"
