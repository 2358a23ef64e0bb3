#!/usr/bin/env bash
# Installs what is missing, builds DiscPilot and its tests, and runs every test under 32-bit
# Wine in a private prefix made for this run (removed afterwards), under Xvfb when no display
# is set. Arguments go to ctest (for example -R registry). DISCPILOT_BUILD_DIR picks another
# build folder (default: build/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/build.sh"
source "$root/scripts/lib/wine.sh"

build="${DISCPILOT_BUILD_DIR:-$root/build}"
build_project mingw "$build"

prefix="$build/test-prefix"
export DISCPILOT_DISCS="$build/test-discs"

cleanup() {
    wine_stop_server
    display_stop
    rm -rf "$prefix" "$DISCPILOT_DISCS"
}
trap cleanup EXIT

echo "test: making a private Wine prefix"
wine_make_prefix "$prefix"
rm -rf "$DISCPILOT_DISCS"
# Drives the tests work with: CD-ROM drives whose labels a test may rewrite between runs of a
# program, and a hard disk that carries the game's label but must never be examined.
wine_add_drive d cdrom "$DISCPILOT_DISCS/d" FIFA2001
wine_add_drive e cdrom "$DISCPILOT_DISCS/e" OTHERDISC
wine_add_drive f cdrom "$DISCPILOT_DISCS/f"
wine_add_drive h hd "$DISCPILOT_DISCS/h" FIFA2001
display_ensure
wine_start_server

ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
