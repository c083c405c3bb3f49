#!/usr/bin/env bash
# Four computers, a one-second pause and no sound: once N is pressed the game plays on by
# itself. Q is refused while it runs; T answered with a click on Oui stops it; Q then quits
# and the settings file holds the window's position.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=2\r\nTemporisation=1\r\nSon=0\r\n' \
    >"$E2E_RUN/bramidou.ini"
e2e_start_game
e2e_wait_main_window 30
sleep 1
e2e_key n

# The die's field and the board, cropped from each screenshot, change as the game goes.
crop_sum() {
    convert "$1" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
declare -A dice boards
for i in $(seq 1 20); do
    sleep 1.5
    shot=$(e2e_shot "game_$i")
    dice[$(crop_sum "$shot" 139x133+831+356)]=1
    boards[$(crop_sum "$shot" 760x760+0+0)]=1
    if [ ${#dice[@]} -ge 3 ] && [ ${#boards[@]} -ge 3 ]; then break; fi
done
echo "die pictures seen: ${#dice[@]}, board pictures seen: ${#boards[@]} in $i shots"
[ ${#dice[@]} -ge 3 ] || e2e_fail "the die did not change"
[ ${#boards[@]} -ge 3 ] || e2e_fail "no horse moved"

# While the game runs, Q does nothing.
e2e_key q
sleep 1
e2e_game_alive || e2e_fail "Q ended a running game"
[ -n "$(e2e_main_window)" ] || e2e_fail "Q closed the window during a game"

# T asks; the box opens centred on the screen; a click on Oui stops the game.
e2e_key t
sleep 1
e2e_shot game_stop_question >/dev/null
box_left=$(((1024 - 440) / 2))
box_top=$(((768 - 260) / 2))
xdotool mousemove $((box_left + 133 + 40)) $((box_top + 212 + 17))
sleep 0.3
xdotool click 1
sleep 2
stopped=$(e2e_shot game_stopped)
# The die is hidden: its field shows the board's dark green again, and nothing moves.
sleep 2
still=$(e2e_shot game_stopped_later)
[ "$(crop_sum "$stopped" 760x760+0+0)" = "$(crop_sum "$still" 760x760+0+0)" ] ||
    e2e_fail "the board still changes after the stop"
read -r r g b <<<"$(e2e_pixel "$stopped" 900 422)"
[ "$g" -gt "$r" ] && [ "$r" -lt 80 ] || e2e_fail "the die is still shown after the stop ($r $g $b)"

e2e_key q
e2e_wait_for 10 sh -c "! kill -0 $E2E_GAME_PID" || e2e_fail "Q did not quit after the stop"
grep -q $'PositionXPrincipale=0\r' "$E2E_RUN/bramidou.ini" || e2e_fail "left not saved"
grep -q $'PositionYPrincipale=0\r' "$E2E_RUN/bramidou.ini" || e2e_fail "top not saved"
grep -q $'Joueur Rouge=2\r' "$E2E_RUN/bramidou.ini" || e2e_fail "the players were not kept"
echo "PASS"
