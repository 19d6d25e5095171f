#!/usr/bin/env bash
# Rebuilds the factory presets' JSON from the generator: data/presets/regenerate.sh [BUILD_DIR]
# (default build/release, with the quorlin and quorlin_factory_presets targets built).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build/release}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$build/quorlin_factory_presets" "$scratch" >/dev/null
for preset in "$scratch"/*.preset; do
    name="$(basename "$preset" .preset)"
    "$build/quorlin" bini to-json "$preset" "$here/$name.json"
    echo "$here/$name.json"
done
