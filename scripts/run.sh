#!/usr/bin/env bash
# Installs what is missing, builds discpilot and runs it under Wine, then prints the "CD Drive"
# value that its start-up scan wrote.
#
#   bash scripts/run.sh                       demo: a prefix of the project's own with a CD-ROM
#                                             drive D: holding a disc labelled FIFA2001
#   bash scripts/run.sh --prefix ~/.wine-fifa the game's own Wine prefix (nothing in it is changed
#                                             but the game's "CD Drive" value)
#   --close-after SECONDS                     close the program after that many seconds (the
#                                             default when there is no display: 5)
#   --screenshot FILE                         save a PNG of the window before closing it
#
# With a display the window stays until you close it. Without one, the program runs under a
# private Xvfb and is closed after a few seconds. DISCPILOT_PREFIX works like --prefix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/build.sh"
source "$root/scripts/lib/wine.sh"

usage() { sed -n '2,15s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"; }

user_prefix="${DISCPILOT_PREFIX-}"
close_after=""
screenshot=""
while (($#)); do
    case "$1" in
        --prefix) user_prefix="${2:?--prefix needs a folder}"; shift 2 ;;
        --close-after) close_after="${2:?--close-after needs a number of seconds}"; shift 2 ;;
        --screenshot) screenshot="${2:?--screenshot needs a file name}"; shift 2 ;;
        -h | --help) usage; exit 0 ;;
        *) echo "run: unknown argument $1" >&2; usage >&2; exit 2 ;;
    esac
done

log() { printf 'run: %s\n' "$*"; }

build="${DISCPILOT_BUILD_DIR:-$root/build-release}"
build_project mingw-release "$build" discpilot pilotstop pilotplay
discpilot="$build/bin/discpilot.exe"
pilotstop="$build/bin/pilotstop.exe"

game_key='HKLM\Software\EA SPORTS\FIFA 2001'
wine_log="$build/run-wine.log"
: >"$wine_log"

# Wine refuses a prefix that belongs to someone else: under sudo, the game's prefix is used as
# its owner.
prefix_owner=""
as_owner() {
    if [[ -n "$prefix_owner" ]]; then
        runuser -u "$prefix_owner" -- env WINEPREFIX="$WINEPREFIX" WINEDEBUG="$WINEDEBUG" \
            WINEDLLOVERRIDES="$WINEDLLOVERRIDES" DISPLAY="${DISPLAY-}" \
            ${XAUTHORITY:+XAUTHORITY="$XAUTHORITY"} "$@"
    else
        "$@"
    fi
}

# Wine binds a prefix to the display that its first program finds, so the display comes first.
own_display=""
if [[ -z "${DISPLAY-}" ]]; then
    display_ensure
    own_display=1
    : "${close_after:=5}"
    log "no display: running under Xvfb on $DISPLAY"
fi

if [[ -n "$user_prefix" ]]; then
    [[ -d "$user_prefix" ]] || { echo "run: no Wine prefix at $user_prefix" >&2; exit 1; }
    # The game's prefix keeps its own architecture; a 32-bit program writes the same registry
    # view that the 32-bit game reads in either kind.
    export WINEPREFIX="$(cd "$user_prefix" && pwd)"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml="
    owner="$(stat -c %U "$WINEPREFIX")"
    [[ $(id -u) -eq 0 && "$owner" != root ]] && prefix_owner="$owner"
    log "using the Wine prefix $WINEPREFIX"
else
    prefix="$build/demo-prefix"
    disc="$build/demo-discs/d"
    wine_use_prefix "$prefix"
    if [[ ! -f "$prefix/.discpilot-demo" ]]; then
        log "making the demo prefix (a CD-ROM drive D: with a disc labelled FIFA2001)"
        wine_make_prefix "$prefix"
        wine_add_drive d cdrom "$disc" FIFA2001
        touch "$prefix/.discpilot-demo"
    else
        # A demo prefix made before the scripts gave their prefixes Wine's fonts gets them now.
        wine_add_fonts
    fi
    # Each demo run starts without the value, so what is printed is what this run wrote.
    wine reg delete "$game_key" /f </dev/null >>"$wine_log" 2>&1 || true
    log "using the demo prefix $prefix"
fi

cleanup() {
    [[ -n "${discpilot_pid-}" ]] && kill "$discpilot_pid" 2>/dev/null || true
    [[ -z "$user_prefix" ]] && wine_stop_server
    [[ -n "$own_display" ]] && display_stop
    return 0
}
trap cleanup EXIT

log "starting discpilot.exe"
as_owner wine "$discpilot" </dev/null >>"$wine_log" 2>&1 &
discpilot_pid=$!

# The screen around the window is black under Xvfb, so trimming it leaves the window.
take_screenshot() {
    mkdir -p "$(dirname "$screenshot")"
    import -window root png:- | convert png:- -trim +repage "$screenshot"
    log "screenshot saved to $screenshot"
}

[[ -n "$screenshot" ]] && : "${close_after:=5}"
if [[ -n "$close_after" ]]; then
    sleep "$close_after"
    [[ -n "$screenshot" ]] && take_screenshot
    if kill -0 "$discpilot_pid" 2>/dev/null; then
        log "closing the window after $close_after s"
        as_owner wine "$pilotstop" silent </dev/null >>"$wine_log" 2>&1 || true
        for _ in $(seq 100); do kill -0 "$discpilot_pid" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$discpilot_pid" 2>/dev/null && { log "the window did not close: ending it"; kill "$discpilot_pid"; }
    fi
else
    log "the window \"Goalvista DiscPilot\" is open: close it to go on"
fi

status=0
wait "$discpilot_pid" || status=$?
discpilot_pid=""
log "discpilot.exe ended with status $status"

value="$(as_owner wine reg query "$game_key" /v "CD Drive" /reg:32 </dev/null 2>>"$wine_log" |
    tr -d '\r' | awk '$1 == "CD" && $2 == "Drive" { print $4 }')" || true
if [[ -n "$value" ]]; then
    echo "CD Drive = $value"
else
    echo "CD Drive is not set: no CD-ROM drive holds a disc labelled FIFA2001"
fi
exit "$status"
