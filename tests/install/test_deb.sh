#!/usr/bin/env bash
# test_deb.sh BUILD_DIR: the Debian package builds with CPack, holds the game in
# /usr/games and its files where Debian puts them, depends on what the game needs, and
# lintian reports no error on it (its other remarks are printed).
set -euo pipefail
build=${1:?usage: test_deb.sh BUILD_DIR}
work=$(mktemp -d /tmp/bramidou-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$work/cpack.log")"
debs=("$work"/bramidou_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single bramidou_*.deb made"
deb=${debs[0]}
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
cat "$work/contents"
expected=(
    /usr/games/bramidou
    /usr/share/games/bramidou/movehorse.wav
    /usr/share/games/bramidou/killhorse.wav
    /usr/share/applications/bramidou.desktop
    /usr/share/metainfo/fr.vurmont.bramidou.metainfo.xml
    /usr/share/man/man6/bramidou.6.gz
    /usr/share/doc/bramidou/copyright
    /usr/share/doc/bramidou/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/bramidou.png")
done
for path in "${expected[@]}"; do
    grep -qxF "$path" "$work/contents" || fail "the package lacks $path"
done
# Programs beside the game stay out of it, and nothing lands outside /usr.
! grep -E 'bramidou-(sim|bench|artgen)|_test$|tst_' "$work/contents" || fail "a tool or a test is packaged"
! grep -vE '^/usr(/|$)' "$work/contents" | grep -v '^/$' || fail "files outside /usr"

[ "$(dpkg-deb -f "$deb" Package)" = bramidou ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libpulse0 libqt6widgets6 libsndfile1 qt6-qpa-plugins qt6-translations-l10n; do
    grep -qE "(^|, )$need( |,|$)" <<<"$depends" || fail "Depends lacks $need"
done
[ -n "$(dpkg-deb -f "$deb" Description | sed -n 2p)" ] || fail "no long description"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
echo "lintian:"
cat "$work/lintian.txt"
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"
echo "PASS"
