#!/usr/bin/env bash
# The CD player on a machine without a drive or an image: D shows it empty, every button
# can be clicked without harm, and Fermer hides it.
source "$(dirname "$0")/lib.sh"

e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
unset BRAMIDOU_CD_IMAGES
e2e_start_game
e2e_wait_main_window


e2e_key_to "$(e2e_main_window)" d
e2e_wait_for 10 e2e_has_cd_window || e2e_fail "D did not show the CD player"
cd=$(e2e_cd_window)
sleep 0.5
at_rest=$(e2e_shot_window cd-no-drive "$cd")
# Each device button, twice, as an impatient player would.
for button in "6 109" "53 109" "98 109" "6 144" "53 144" "98 144" "6 180" "53 180"; do
    set -- $button
    xdotool mousemove --window "$cd" $(($1 + 22)) $(($2 + 15)) click --repeat 2 --delay 60 1
done
sleep 0.5
e2e_game_alive || e2e_fail "a button of the empty player ended the game"
e2e_is_viewable "$cd" || e2e_fail "the player went away"
# The panel is as it was: nothing to show, whatever was clicked.
after=$(e2e_shot_window cd-no-drive-after "$cd")
[ "$(e2e_differing_pixels "$at_rest" "$after")" -eq 0 ] ||
    e2e_fail "the empty player's panel changed after the clicks"
xdotool mousemove --window "$cd" $((98 + 22)) $((180 + 15)) click 1
e2e_wait_for 5 bash -c "! xwininfo -id $cd | grep -q IsViewable" ||
    e2e_fail "Fermer did not hide the player"
echo "PASS"
