#!/usr/bin/env bash
# Builds the release exes and packs them with the README and a checksum file into
# dist/discpilot-<version>.zip.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/build.sh"

build="$root/build-release"
build_project mingw-release "$build" discpilot pilotstop pilotplay

version="$(sed -n 's/^project(DiscPilot VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
name="discpilot-$version"
mkdir -p "$stage/$name"
cp "$build/bin/discpilot.exe" "$build/bin/pilotstop.exe" "$build/bin/pilotplay.exe" "$root/README.md" "$stage/$name/"
(cd "$stage/$name" && sha256sum discpilot.exe pilotstop.exe pilotplay.exe README.md >SHA256SUMS)

mkdir -p "$root/dist"
rm -f "$root/dist/$name.zip"
(cd "$stage" && zip -qr "$root/dist/$name.zip" "$name")
echo "release: $root/dist/$name.zip"
unzip -l "$root/dist/$name.zip"
