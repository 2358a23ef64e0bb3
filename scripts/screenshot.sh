#!/usr/bin/env bash
# Makes a PNG of discpilot's window under a private Xvfb, running the demo of scripts/run.sh
# (a CD-ROM drive holding a disc labelled FIFA2001). Default file: docs/discpilot-window.png.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/docs/discpilot-window.png}"
env -u DISPLAY bash "$root/scripts/run.sh" --close-after 4 --screenshot "$out"
