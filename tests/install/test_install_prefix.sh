#!/usr/bin/env bash
# test_install_prefix.sh BUILD_DIR: the game installed under a private prefix, made
# read-only, started from other folders. Its menu entry and metadata validate; a first
# run creates the settings in $XDG_CONFIG_HOME/bramidou; a second, with four computers
# and sound on, is heard on a private null sink (the sounds come from the installed data
# folder) and keeps its settings there. Nothing is written into the prefix.
source "$BRAMIDOU_SOURCE_DIR/tests/e2e/lib.sh"
source "$BRAMIDOU_SOURCE_DIR/tests/e2e/pulse.sh"
build=${1:?usage: test_install_prefix.sh BUILD_DIR}

prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"
game=$prefix/games/bramidou
[ -x "$game" ] || e2e_fail "no game in $prefix/games"
for f in share/games/bramidou/movehorse.wav share/games/bramidou/killhorse.wav \
    share/applications/bramidou.desktop share/man/man6/bramidou.6.gz; do
    [ -s "$prefix/$f" ] || e2e_fail "$f is not installed"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/bramidou.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
        e2e_fail "no ${size}x${size} icon"
done
[ -z "$(ls "$prefix"/games | grep -v '^bramidou$')" ] || e2e_fail "more than the game in games/"
desktop-file-validate "$prefix/share/applications/bramidou.desktop" ||
    e2e_fail "the desktop entry does not validate"
# The whole tree, so the metadata is also checked against its menu entry and icon.
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml &&
    appstreamcli validate-tree --no-net "$prefix" ||
    e2e_fail "the AppStream metadata does not validate"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$prefix/share/man/man6/bramidou.6.gz" 2>&1 >/dev/null) ||
    e2e_fail "the manual page does not format"
[ -z "$warnings" ] || e2e_fail "the manual page has formatting warnings: $warnings"

chmod -R a-w "$prefix"
touch "$E2E_TMP/installed.stamp"
export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/config
mkdir -p "$HOME"
settings=$XDG_CONFIG_HOME/bramidou/bramidou.ini

pulse_start || e2e_fail "no private sound server"
e2e_start_x 1024 768
e2e_start_wm

# start_installed FOLDER: the installed game, started from that working folder.
start_installed() {
    E2E_GAME_LOG=$E2E_TMP/game.$(date +%s%N).log
    (cd "$1" && exec "$game") >"$E2E_GAME_LOG" 2>&1 &
    E2E_GAME_PID=$!
    E2E_PIDS+=($E2E_GAME_PID)
    e2e_wait_main_window 30
    sleep 1
    xdotool windowfocus --sync "$(e2e_main_window)" 2>/dev/null || true
}

# First run, from /: no settings yet; quitting writes them with their folder.
start_installed /
e2e_key q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not quit the first run"
[ -f "$settings" ] || e2e_fail "no settings in $settings"
[ "$(grep -c $'=.*\r$' "$settings")" -eq 11 ] || e2e_fail "the first settings file lacks keys"
[ "$(stat -c %a "$XDG_CONFIG_HOME/bramidou")" = 700 ] || e2e_fail "the settings folder is not private"

# Second run, from the home folder: four computers with sound. The player's own line
# must survive the game's rewrite.
sed -i -e 's/^Joueur Jaune=1/Joueur Jaune=2/' -e 's/^Temporisation=3/Temporisation=1/' \
    -e 's/^Son=0/Son=1/' "$settings"
printf '; mes notes\r\n' >>"$settings"
start_installed "$HOME"
pulse_record "$E2E_TMP/game.raw" || e2e_fail "parec did not connect"
e2e_key n
# A six comes within a few dozen throws at half a second each; its step is heard.
pulse_wait_sound "$E2E_TMP/game.raw" 50 || e2e_fail "no step sound reached the server"
pulse_record_stop
echo "peak of the installed game's sound: $PULSE_PEAK"
e2e_shot installed_game >/dev/null

e2e_stop_and_quit 1024 768
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the game exited with status $E2E_EXIT_STATUS"

for line in 'Joueur Jaune=2' 'Temporisation=1' 'Son=1' 'PositionXPrincipale=0' '; mes notes'; do
    grep -qx "$line"$'\r' "$settings" || e2e_fail "the settings lost '$line'"
done
changed=$(find "$prefix" -newer "$E2E_TMP/installed.stamp")
[ -z "$changed" ] || e2e_fail "the game wrote into its installed folder: $changed"
for folder in / "$HOME"; do
    [ ! -e "$folder/bramidou.ini" ] || e2e_fail "settings written in the working folder $folder"
done
chmod -R u+w "$prefix"
echo "PASS"
