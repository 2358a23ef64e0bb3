#!/usr/bin/env bash
# Installs what is missing, builds a benchmark and runs it under 32-bit Wine in a private prefix
# made for this run (removed afterwards), under Xvfb when no display is set.
#
#   bash scripts/bench.sh [notifications]  the mean cost of one shell notification in discpilot's
#                                          window with the log near empty and near 1 MB, for
#                                          discpilot's log and for a log that re-assigns its whole
#                                          text (a few minutes)
#   bash scripts/bench.sh play             the time from pilotplay's start to the game's start,
#                                          beside starting discpilot and the game by hand
#
# DISCPILOT_BUILD_DIR picks another build folder (default: build/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/build.sh"
source "$root/scripts/lib/wine.sh"

case "${1:-notifications}" in
    notifications) bench=discpilot_bench ;;
    play) bench=play_bench ;;
    *) echo "bench: unknown benchmark $1 (notifications or play)" >&2; exit 2 ;;
esac

build="${DISCPILOT_BUILD_DIR:-$root/build}"
build_project mingw "$build" "$bench"

prefix="$build/bench-prefix"
discs="$build/bench-discs"

cleanup() {
    wine_stop_server
    display_stop
    rm -rf "$prefix" "$discs"
}
trap cleanup EXIT

# Wine binds a prefix to the display that its first program finds, so the display comes first.
display_ensure
echo "bench: making a private Wine prefix"
wine_make_prefix "$prefix"
rm -rf "$discs"
# The window's start-up scan finds the game disc here, as it would at home.
wine_add_drive d cdrom "$discs/d" FIFA2001
wine_start_server

wine "$build/bench/$bench.exe" </dev/null
