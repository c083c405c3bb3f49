#!/usr/bin/env bash
# The CD player of the real game on a disc image named in the settings file, heard through
# a private null sink: D shows the player, Lecture plays track 1's tone, Piste suivante
# gives track 2's, Fermer hides the window while the tone goes on, and D shows the window
# again where it was.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/pulse.sh"
source "$(dirname "$0")/../cdplayer/tone.sh"

pulse_start || e2e_fail "no private sound server"
e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
"$(dirname "$0")/../cdplayer/make_disc_image.sh" "$E2E_TMP" disc 20 440 660 990
printf '[Configuration]\r\nImagesCD=%s\r\n' "$E2E_TMP/disc.cue" >"$E2E_RUN/bramidou.ini"
unset BRAMIDOU_CD_IMAGES
e2e_start_game
e2e_wait_main_window

# click_button ID X Y: a click in the middle of the button whose top-left is (X, Y).
click_button() {
    xdotool mousemove --window "$1" $(($2 + 22)) $(($3 + 15)) click 1
}
# tone_now NAME: records a second of the sink and prints its rough frequency.
tone_now() {
    pulse_record "$E2E_TMP/$1.raw" || e2e_fail "parec did not connect"
    sleep 1.2
    pulse_record_stop
    tone_of "$E2E_TMP/$1.raw"
}

e2e_key_to "$(e2e_main_window)" d
e2e_wait_for 10 e2e_has_cd_window || e2e_fail "D did not show the CD player"
cd=$(e2e_cd_window)
[ "$(e2e_window_size "$cd")" = "150 220" ] || e2e_fail "the player is $(e2e_window_size "$cd")"
sleep 0.5
e2e_shot_window cd-at-rest "$cd" >/dev/null

click_button "$cd" 53 109 # Lecture
sleep 0.8
tone=$(tone_now track1)
echo "track 1: $tone Hz"
tone_near "$tone" 440 || e2e_fail "Lecture plays $tone Hz, not track 1's 440 Hz"
e2e_shot_window cd-playing "$cd" >/dev/null

click_button "$cd" 98 144 # Piste suivante
sleep 0.5
tone=$(tone_now track2)
echo "track 2: $tone Hz"
tone_near "$tone" 660 || e2e_fail "Piste suivante plays $tone Hz, not track 2's 660 Hz"

before=$(e2e_window_position "$cd")
click_button "$cd" 98 180 # Fermer
e2e_wait_for 5 bash -c "! xwininfo -id $cd | grep -q IsViewable" ||
    e2e_fail "Fermer did not hide the player"
tone=$(tone_now hidden)
echo "hidden: $tone Hz"
tone_near "$tone" 660 || e2e_fail "the disc stopped when the player was hidden ($tone Hz)"

e2e_key_to "$(e2e_main_window)" d
e2e_wait_for 10 e2e_is_viewable "$cd" || e2e_fail "D did not show the player again"
after=$(e2e_window_position "$cd")
[ "$before" = "$after" ] || e2e_fail "the player came back at $after, not at $before"
e2e_game_alive || e2e_fail "the game ended"
echo "PASS"
