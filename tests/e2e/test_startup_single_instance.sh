#!/usr/bin/env bash
# Only one copy runs: a second one says so and leaves, the first is not disturbed, and
# the lock goes with the first copy however it ends, even killed.
source "$(dirname "$0")/lib.sh"

e2e_start_x 800 600 24
e2e_start_wm

e2e_start_game
first=$E2E_GAME_PID
e2e_wait_main_window
main=$(e2e_main_window)
sleep 0.5
before_geometry="$(e2e_window_position "$main") $(e2e_window_size "$main")"
before_shot=$(e2e_shot_window first_before "$main")

e2e_start_game
second=$E2E_GAME_PID
e2e_wait_refusal_box
box=$(e2e_refusal_box)
sleep 0.3
e2e_shot second_copy_refused >/dev/null
e2e_shot_window already_loaded_box "$box" >/dev/null
[ "$(e2e_windows_titled "$E2E_MAIN_TITLE" | wc -l)" -eq 2 ] || e2e_fail "more than the box and the game"
kill -0 "$first" || e2e_fail "the first copy ended"

e2e_key_to "$box" Return
e2e_wait_exit "$second" 10 || e2e_fail "the second copy stayed after OK"
[ "$E2E_EXIT_STATUS" = 1 ] || e2e_fail "the second copy ended with status $E2E_EXIT_STATUS"

# The running copy is where it was, as it was, and still answers.
kill -0 "$first" || e2e_fail "the first copy ended with the second"
e2e_is_viewable "$main" || e2e_fail "the first copy's window went away"
[ "$(e2e_window_position "$main") $(e2e_window_size "$main")" = "$before_geometry" ] ||
    e2e_fail "the first copy's window moved"
after_shot=$(e2e_shot_window first_after "$main")
[ "$(e2e_differing_pixels "$before_shot" "$after_shot")" = 0 ] || e2e_fail "the first copy's window changed"
e2e_key_to "$main" q
e2e_wait_exit "$first" 10 || e2e_fail "the first copy did not quit on Q"

# Once it has ended, a new copy starts normally, and after that one is killed outright
# the next starts too.
e2e_start_game
third=$E2E_GAME_PID
e2e_wait_main_window
[ -z "$(e2e_refusal_box)" ] || e2e_fail "refused after the first copy had quit"
kill -9 "$third"
e2e_wait_exit "$third" 10 || e2e_fail "kill -9 did not end the game"
e2e_wait_for 10 sh -c '[ -z "$(xdotool search --onlyvisible --name "^Les Bramidou$")" ]' ||
    e2e_fail "the killed copy's window stayed"

e2e_start_game
e2e_wait_main_window
sleep 0.5
[ -z "$(e2e_refusal_box)" ] || e2e_fail "refused after the previous copy was killed"
e2e_shot started_after_kill >/dev/null
e2e_game_alive || e2e_fail "the copy started after the kill did not stay"
