#!/bin/sh
# Renders the same scene through the Linux plug-in and, under Wine, through the Windows DLL, and
# compares the two results byte for byte: chunks and audio.
# Usage: compare-fidelity.sh LINUX_RENDER LINUX_PLUGIN WINDOWS_RENDER WINDOWS_PLUGIN CHUNK OUTDIR
#            WINE_RUNNER...
set -eu
linux_render=$1
linux_plugin=$2
windows_render=$3
windows_plugin=$4
chunk=$5
out=$6
shift 6

for file in "$linux_render" "$linux_plugin"; do
    if [ ! -f "$file" ]; then
        echo "missing $file: build the Linux release preset first (cmake --build --preset release)"
        exit 1
    fi
done
mkdir -p "$out"
rm -f "$out/linux.bin" "$out/windows.bin"

# Wine shows the build machine's root as drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && HOME=$work XDG_DATA_HOME=$work/data \
    "$linux_render" "$linux_plugin" "$chunk" "$out/linux.bin")
"$@" "$windows_render" "$(windows_path "$windows_plugin")" "$(windows_path "$chunk")" \
    "$(windows_path "$out/windows.bin")"

if cmp "$out/linux.bin" "$out/windows.bin"; then
    echo "identical: $(wc -c <"$out/linux.bin") bytes of chunks and audio"
else
    echo "the Linux and Windows renders differ"
    exit 1
fi
