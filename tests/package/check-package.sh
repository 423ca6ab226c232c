#!/usr/bin/env bash
# Checks the Debian package that `cpack -G DEB` made in a build folder (./package.sh makes one in
# build-release/): the files a player needs are in it, its Depends name the SoundFont and the
# fonts besides the libraries, its changelog and AppStream release are this version, the
# packaged programs say this version, and the desktop entry, the AppStream metadata and the
# package pass desktop-file-validate, appstreamcli and lintian (no error) where these are
# installed.
#   tests/package/check-package.sh BUILD_DIR VERSION
# Exit status: 0 passed, 1 failed, 77 skipped (no dpkg-deb, or no package built in BUILD_DIR).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR VERSION" >&2; exit 2; }
build=$1
version=$2

command -v dpkg-deb >/dev/null || { echo "SKIPPED: dpkg-deb is not installed"; exit 77; }
shopt -s nullglob
debs=("$build"/tonefalls_"$version"_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "SKIPPED: no package tonefalls_${version}_*.deb in $build (cpack -G DEB or ./package.sh makes it)"
    exit 77
fi
deb=${debs[0]}
echo "== checking $deb"

failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

listing=$(dpkg-deb -c "$deb")
# Debian keeps the programs of games in /usr/games.
for file in usr/games/tonefalls usr/games/tonefalls-cli; do
    grep -Eq "^-rwxr-xr-x .* \./$file\$" <<<"$listing" || fail "no executable /$file"
done
for file in usr/share/tonefalls/main.bmp usr/share/tonefalls/title.bmp usr/share/tonefalls/title-en.bmp usr/share/tonefalls/result.bmp \
            usr/share/tonefalls/help/help.html usr/share/tonefalls/help/help-en.html usr/share/tonefalls/help/help.css \
            usr/share/applications/tonefalls.desktop \
            usr/share/metainfo/io.github.tonefalls.Tonefalls.metainfo.xml \
            usr/share/man/man6/tonefalls.6.gz usr/share/man/man6/tonefalls-cli.6.gz \
            usr/share/doc/tonefalls/copyright usr/share/doc/tonefalls/changelog.gz; do
    [ -s "$unpacked/$file" ] || fail "no /$file"
done
songs=("$unpacked"/usr/share/tonefalls/songs/*.mid)
[ -s "${songs[0]}" ] && [ "${#songs[@]}" -ge 3 ] || fail "not the songs that come with the game in /usr/share/tonefalls/songs"
for size in 16 32 48 64 128 256; do
    [ -s "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/tonefalls.png" ] ||
        fail "no ${size}x${size} icon"
done
for page in tonefalls tonefalls-cli; do
    gzip -t "$unpacked/usr/share/man/man6/$page.6.gz" 2>/dev/null || fail "$page.6.gz is not gzipped"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tonefalls ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
depends=$(field Depends)
for needed in 'fluid-soundfont-gm | timgm6mb-soundfont' fonts-ipafont-gothic libqt6widgets6 libfluidsynth3 \
              librtmidi; do
    grep -qF "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

changelog_version=$(zcat "$unpacked/usr/share/doc/tonefalls/changelog.gz" | sed -n '1s/^tonefalls (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog starts at version '$changelog_version'"
grep -q "<release version=\"$version\"" "$unpacked/usr/share/metainfo/io.github.tonefalls.Tonefalls.metainfo.xml" ||
    fail "the AppStream metadata has no release $version"
desktop="$unpacked/usr/share/applications/tonefalls.desktop"
grep -Eq '^Exec=tonefalls %[fF]$' "$desktop" || fail "the desktop entry does not hand the game a file"
grep -Eq '^MimeType=.*audio/midi;' "$desktop" && grep -Eq '^MimeType=.*audio/x-midi;' "$desktop" ||
    fail "the desktop entry does not open MIDI files"

# The packaged programs, run from the unpacked tree (their libraries are this machine's).
if [ "$(field Architecture)" = "$(dpkg --print-architecture)" ]; then
    for program in tonefalls tonefalls-cli; do
        said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/games/$program" --version 2>&1) ||
            fail "$program --version failed: $said"
        [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
    done
fi

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "(desktop-file-validate is not installed: not run)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$unpacked/usr/share/metainfo/io.github.tonefalls.Tonefalls.metainfo.xml" ||
        fail "appstreamcli validate"
else
    echo "(appstreamcli is not installed: not run)"
fi
if command -v lintian >/dev/null; then
    report=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v '^running with root privileges' || true)
    [ -z "$report" ] || echo "$report"
    if grep -q '^E: ' <<<"$report"; then
        fail "lintian reports errors"
    fi
else
    echo "(lintian is not installed: not run)"
fi

[ "$failed" -eq 0 ] && echo "== package check passed"
exit "$failed"
