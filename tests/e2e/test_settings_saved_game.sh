#!/usr/bin/env bash
# The settings dialog from the keyboard, then a game saved on a person's turn through the
# French save dialog and loaded again after a restart: the horses stand where they were.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=1\r\nTemporisation=3\r\nSon=0\r\n' \
    >"$E2E_RUN/bramidou.ini"

crop_sum() {
    convert "$1" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
board=760x760+0+0
dialog_shown() {
    [ -n "$(e2e_windows_titled '^Configuration$')" ]
}
# The toolkit's file dialog, under its French title.
file_dialog_titled() {
    [ -n "$(e2e_windows_titled "^$1\$")" ]
}
stop_game() {
    e2e_key t
    sleep 1
    xdotool mousemove $(((1024 - 440) / 2 + 133 + 40)) $(((768 - 260) / 2 + 212 + 17))
    sleep 0.3
    xdotool click 1
    sleep 1
}

# --- The settings dialog, by keyboard only.
e2e_start_game
e2e_wait_main_window 30
sleep 1
e2e_key o
e2e_wait_for 10 dialog_shown || e2e_fail "O did not open the settings dialog"
sleep 0.5
shot=$(e2e_shot settings_dialog)
# Centred: its corner at ((1024 - 320) / 2, (768 - 260) / 2), the teal face inside.
read -r r g b <<<"$(e2e_pixel "$shot" $((352 + 160)) $((254 + 4)))"
[ "$b" -gt "$r" ] || e2e_fail "the dialog's face is not where it should be ($r $g $b)"
# The pause field holds the focus with its text selected; then Tab to green's list.
e2e_key 1 Tab Tab Down
sleep 0.3
e2e_shot settings_dialog_changed >/dev/null
e2e_key Return
e2e_wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Configuration$"' ||
    e2e_fail "Enter did not close the dialog"
grep -q $'Joueur Vert=3\r' "$E2E_RUN/bramidou.ini" || e2e_fail "green was not disabled"
grep -q $'Temporisation=1\r' "$E2E_RUN/bramidou.ini" || e2e_fail "the pause was not stored"
e2e_key q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not quit"

# --- A game saved on red's turn, the only colour played by a person.
e2e_start_game
e2e_wait_main_window 30
sleep 1
e2e_key n
# S does something only on a person's turn; the computers play on until then.
saved=0
for attempt in $(seq 1 20); do
    e2e_key s
    if e2e_wait_for 3 file_dialog_titled 'Enregistrer sous'; then
        saved=1
        break
    fi
done
[ $saved -eq 1 ] || e2e_fail "the save dialog never opened"
sleep 1
e2e_shot save_dialog >/dev/null
xdotool type --delay 60 partie
e2e_key Return
e2e_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Enregistrer sous\$'" ||
    e2e_fail "Enter did not close the save dialog"
sleep 0.5
[ -f "$E2E_RUN/partie.sav" ] || e2e_fail "no partie.sav beside the game"
grep -q $'Joueur Vert=3\r' "$E2E_RUN/partie.sav" || e2e_fail "the players were not saved"
grep -q $'num\xe9ro du joueur en cours=4\r' "$E2E_RUN/partie.sav" ||
    e2e_fail "red was not the colour to play"
before=$(e2e_shot before_quit)
stop_game
e2e_key q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not quit after the stop"

# --- Loaded after a restart.
e2e_start_game
e2e_wait_main_window 30
sleep 1
idle=$(e2e_shot idle_board)
e2e_key c
e2e_wait_for 10 file_dialog_titled 'Ouvrir' || e2e_fail "C did not open the open dialog"
sleep 1
e2e_shot open_dialog >/dev/null
xdotool type --delay 60 partie.sav
e2e_key Return
e2e_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Ouvrir\$'" ||
    e2e_fail "Enter did not close the open dialog"
sleep 1
after=$(e2e_shot after_load)
[ "$(crop_sum "$before" $board)" = "$(crop_sum "$after" $board)" ] ||
    e2e_fail "the board after loading differs from the board that was saved"
[ "$(crop_sum "$idle" $board)" != "$(crop_sum "$after" $board)" ] ||
    e2e_fail "loading showed no horses"

# --- Horses out on the track and up the columns: loaded, saved again under a new name,
# and after one more restart loaded from that copy, they stand on the same squares.
printf '[Type]\r\nJoueur Jaune=2\r\nJoueur Vert=1\r\nJoueur Bleu=3\r\nJoueur Rouge=2\r\n[Position]\r\nJoueur Jaune 1=9\r\nJoueur Jaune 2=104\r\nJoueur Vert 1=20\r\nJoueur Vert 2=33\r\nJoueur Vert 3=203\r\nJoueur Rouge 1=47\r\nJoueur Rouge 2=409\r\n[Joueur]\r\nnum\xe9ro du joueur en cours=2\r\n' \
    >"$E2E_RUN/montage.sav"
e2e_key c
e2e_wait_for 10 file_dialog_titled 'Ouvrir' || e2e_fail "C did not open the open dialog"
sleep 0.5
xdotool type --delay 60 montage.sav
e2e_key Return
sleep 1.5
e2e_key s
e2e_wait_for 10 file_dialog_titled 'Enregistrer sous' || e2e_fail "green's turn: no save dialog"
sleep 0.5
xdotool type --delay 60 copie
e2e_key Return
sleep 1
grep -q $'Joueur Vert 2=33\r' "$E2E_RUN/copie.sav" || e2e_fail "the copy does not hold the horses"
montage=$(e2e_shot montage_before_quit)
stop_game
e2e_key q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not quit after the second stop"

e2e_start_game
e2e_wait_main_window 30
sleep 1
e2e_key c
e2e_wait_for 10 file_dialog_titled 'Ouvrir' || e2e_fail "C did not open the open dialog"
sleep 0.5
xdotool type --delay 60 copie.sav
e2e_key Return
sleep 1.5
copy=$(e2e_shot copy_after_load)
[ "$(crop_sum "$montage" $board)" = "$(crop_sum "$copy" $board)" ] ||
    e2e_fail "the horses of the copy do not stand where they stood"
[ "$(crop_sum "$idle" $board)" != "$(crop_sum "$copy" $board)" ] ||
    e2e_fail "loading the copy showed no horses"
stop_game
e2e_key q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not quit at the end"
grep -q $'Joueur Bleu=3\r' "$E2E_RUN/bramidou.ini" || e2e_fail "the loaded players were not kept"
echo "PASS"
