# Shell helpers for running DiscPilot under 32-bit Wine in a private prefix. Sourced by the
# scripts in scripts/; never touches ~/.wine.

# wine_use_prefix DIR: every wine call that follows works in DIR.
wine_use_prefix() {
    export WINEPREFIX="$1"
    export WINEARCH=win32
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Where Debian's fonts-wine puts Wine's own fonts; this Wine does not look there by itself.
wine_fonts_dir=/usr/share/wine/fonts

# wine_add_fonts: copies Wine's own TrueType fonts (Marlett, whose glyphs are the caption
# buttons, and Tahoma, the face of captions and dialogs) into the prefix's Fonts folder, where
# every Wine program finds them when it starts. Without them GDI falls back to another face and
# a title bar shows letters instead of its buttons. Copies only what is missing or older, so an
# existing prefix can be given the fonts again at no cost.
wine_add_fonts() {
    local fonts=("$wine_fonts_dir"/*.ttf)
    [[ -f "${fonts[0]}" ]] || { echo "no Wine fonts in $wine_fonts_dir (package fonts-wine)" >&2; return 1; }
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -u --preserve=timestamps "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
}

# wine_make_prefix DIR: a fresh win32 prefix in DIR with Wine's own fonts, whose crashes print a
# backtrace instead of opening a dialog, and whose windows get Wine's own frames (no window
# manager under Xvfb).
wine_make_prefix() {
    wine_use_prefix "$1"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wine_add_fonts
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
}

# wine_add_drive LETTER TYPE DIR [LABEL]: maps LETTER: to DIR as a drive of TYPE (cdrom, hd, ...)
# with an optional volume label. Takes effect when the wineserver next starts.
wine_add_drive() {
    local letter="$1" type="$2" dir="$3" label="${4-}"
    mkdir -p "$dir"
    if [[ -n "$label" ]]; then printf '%s\n' "$label" >"$dir/.windows-label"; else rm -f "$dir/.windows-label"; fi
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
    wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "$type" /f </dev/null >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# wine_start_server: one persistent wineserver with Wine's services started detached, so later
# wine calls start fast and nothing keeps our stdout open.
wine_start_server() {
    wineserver -p >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_stop_server() {
    wineserver -k 2>/dev/null || true
}

# display_ensure: when no X display is set, starts a private Xvfb and exports DISPLAY.
display_ensure() {
    [[ -n "${DISPLAY-}" ]] && return 0
    local n
    for n in $(seq 90 130); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 50); do
            [[ -e /tmp/.X11-unix/X$n ]] && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        unset DISPLAY XVFB_PID
    done
    echo "cannot start Xvfb" >&2
    return 1
}

display_stop() {
    [[ -n "${XVFB_PID-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
    unset XVFB_PID
}
