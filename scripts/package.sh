#!/usr/bin/env bash
# Builds what we hand to musicians, in build/package:
#   quorlin-chorus_<version>_amd64.deb   the plug-in, quorlin, factory presets, documentation
#   QuorlinChorus-<version>-win64.zip    the DLL, factory presets, style sheet and a read-me
set -euo pipefail
cd "$(dirname "$0")/.."

# make test passes its release build, configured for the same prefix, to save a second build.
build=${QUORLIN_PACKAGE_BUILD:-}
if [ -z "$build" ]; then
    build=build/package
    cmake --preset package >/dev/null
    cmake --build --preset package
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -f "$build"/quorlin-chorus_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$build/quorlin-chorus_${version}_amd64.deb
test -f "$deb" || { echo "package.sh: cpack did not write $deb" >&2; exit 1; }

# The Windows build of the tests makes the same DLL; make test passes it too.
windows_build=${QUORLIN_WINDOWS_BUILD:-}
if [ -z "$windows_build" ]; then
    windows_build=build/windows
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target QuorlinChorus
fi
name=QuorlinChorus-$version-win64
stage=$build/windows-zip/$name
rm -rf "$build/windows-zip"
mkdir -p "$stage/Factory"
cp "$windows_build/QuorlinChorus.dll" "$stage/"
cp "$build"/presets/*.preset "$stage/Factory/"
if [ -f data/stylesheet.dat ]; then
    cp data/stylesheet.dat "$stage/"
fi
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' data/windows/READ-ME.txt >"$stage/READ-ME.txt"
rm -f "$build/$name.zip"
(cd "$build/windows-zip" && cmake -E tar cf "../$name.zip" --format=zip "$name")

echo "Debian package: $PWD/$deb"
echo "Windows zip:    $PWD/$build/$name.zip"
