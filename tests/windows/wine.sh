# Sourced by the Windows checks (suites, smoke test, companion, installer): which Wine runs the
# program and the prefix it runs in.
#
# The game's own platform is 32-bit Windows, so the checks run the 32-bit build (build-win32)
# under 32-bit Wine in a WINEARCH=win32 prefix. Only where 32-bit Wine cannot be installed, or
# cannot start (a kernel built without 32-bit program support refuses its loader with "Exec
# format error"), do they fall back to the 64-bit build (build-win64) under wine64, and say so.

# True when 32-bit Wine is installed (installing it if missing) and its loader runs.
tf_wine32_starts() {
    source scripts/packages.sh
    scripts/ensure-packages.sh "${WINE_PACKAGES[@]}" >/dev/null 2>&1 && [ -x /usr/lib/wine/wine ] &&
        /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Installs Wine and the virtual display when missing, then sets TF_WINE (the wine program),
# TF_WINEARCH and TF_WIN_BUILD (the build folder whose programs run). Returns 1 when no Wine at
# all can run here.
tf_choose_wine() {
    local root=$1
    source scripts/packages.sh
    scripts/ensure-packages.sh "${DISPLAY_PACKAGES[@]}" >/dev/null || return 1
    if tf_wine32_starts; then
        TF_WINE=/usr/lib/wine/wine TF_WINEARCH=win32 TF_WIN_BUILD="$root/build-win32"
    elif scripts/ensure-packages.sh "${WINE_FALLBACK_PACKAGES[@]}" >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
        echo "NOTE: 32-bit Wine cannot be installed or started here: the 64-bit build runs under wine64 instead" >&2
        TF_WINE=/usr/lib/wine/wine64 TF_WINEARCH=win64 TF_WIN_BUILD="$root/build-win64"
    else
        return 1
    fi
    export TF_WINE TF_WINEARCH TF_WIN_BUILD
}

# Makes (once) the prefix $WINEPREFIX for $TF_WINEARCH (the checks share one, $TF_WIN_BUILD/wineprefix:
# each wineboot costs a minute), with the Japanese fonts a Japanese
# Windows has: the IPA gothic faces installed, and the gothic faces' Windows names (both
# spellings) standing for them, as the system's substitutions and as Wine's replacements.
# Windows that Wine manages never close without a window manager, so Wine manages none.
tf_make_prefix() {
    export WINEDEBUG=-all WINEARCH=$TF_WINEARCH
    # No Mono or Gecko download prompts while the prefix is made.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "== making the Wine prefix $WINEPREFIX ($TF_WINEARCH)"
        timeout 300 "$TF_WINE" wineboot --init >/dev/null 2>&1 || return 1
    fi
    local fonts=/usr/share/fonts/opentype/ipafont-gothic
    [ -f "$fonts/ipag.ttf" ] || fonts=/usr/share/fonts/truetype/fonts-japanese-gothic
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -L "$fonts"/ipag*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    local reg="$WINEPREFIX/tonefalls-fonts.reg" faces key
    faces='"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"'
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
        for key in 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
                   'HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements'; do
            printf '[%s]\r\n%s\r\n\r\n' "$key" "${faces//$'\n'/$'\r\n'}"
        done
    } | iconv -f UTF-8 -t UTF-16 >"$reg"
    timeout 120 "$TF_WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1 || return 1
}

# A Linux path as the Windows programs see it, through Wine's Z: drive.
winepath_of() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}

# Starts the game $2 (a path) in the folder $1 under Wine, in the language $3 (ja or en: the one
# picked before, as the settings file in $4 keeps it), waits for its title window, takes a screenshot of the screen into $4 and
# checks it is not blank, presses Esc and checks that the program ended by itself with status 0.
# Says what failed on stderr and returns 1.
tf_title_and_quit() {
    local folder=$1 exe=$2 language=$3 settings=$4 shot=$5 title="Tonefalls QUILL-MIX" window="" runner status
    local wineserver
    wineserver="$(dirname "$TF_WINE")/wineserver"
    rm -f "$shot.exit-status"
    mkdir -p "$(dirname "$settings")"
    printf '[View]\nLanguage=%s\n' "$language" >"$settings"
    (cd "$folder" && timeout 120 "$TF_WINE" "$exe" >"$shot.wine.log" 2>&1
     echo $? >"$shot.exit-status") &
    runner=$!
    for _ in $(seq 1 180); do
        window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        [ -f "$shot.exit-status" ] && break
        sleep 0.5
    done
    if [ -z "$window" ]; then
        echo "no window named \"$title\" within 90 s (exit $(cat "$shot.exit-status" 2>/dev/null || echo -))" >&2
        "$wineserver" -k 2>/dev/null || true
        wait "$runner" 2>/dev/null || true
        return 1
    fi
    # The first paint follows the window's creation at once; a moment for the X server to show it.
    sleep 2
    import -window root "$shot"
    local colours
    colours=$(convert "$shot" -format %k info:)
    echo "== screenshot $shot: $colours colours"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers Escape
    for _ in $(seq 1 60); do
        [ -f "$shot.exit-status" ] && break
        sleep 0.5
    done
    if [ ! -f "$shot.exit-status" ]; then
        echo "the game did not end within 30 s of Esc" >&2
        "$wineserver" -k 2>/dev/null || true
        wait "$runner" 2>/dev/null || true
        return 1
    fi
    wait "$runner" || true
    status=$(cat "$shot.exit-status")
    [ "$colours" -gt 16 ] || { echo "the screenshot is nearly blank ($colours colours)" >&2; return 1; }
    [ "$status" -eq 0 ] || { echo "the game ended with status $status" >&2; return 1; }
}
