#!/usr/bin/env bash
# The display check: 640 x 480 with 15- or 16-bit colour starts; fewer colours or one
# pixel less either way is refused with one box, and nothing else is created. The check
# comes before the single-copy check.
source "$(dirname "$0")/lib.sh"

# expect_start W H DEPTH: the main window comes up on such a screen.
expect_start() {
    e2e_start_x "$1" "$2" "$3"
    e2e_start_game
    e2e_wait_main_window
    [ -z "$(e2e_refusal_box)" ] || e2e_fail "$1x$2x$3 was refused"
    [ "$(e2e_window_size "$(e2e_main_window)")" = "640 480" ] || e2e_fail "$1x$2x$3: not the 640 board"
    e2e_shot "start_$1x$2x$3" >/dev/null
    kill "$E2E_GAME_PID"
    e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "the game did not end on SIGTERM"
}

# expect_refusal W H DEPTH: one small box, no main window, and the program ends on OK.
expect_refusal() {
    e2e_start_x "$1" "$2" "$3"
    e2e_start_game
    e2e_wait_refusal_box
    local box
    box=$(e2e_refusal_box)
    sleep 0.5
    e2e_shot "refusal_$1x$2x$3" >/dev/null
    e2e_shot_window "refusal_box_$1x$2x$3" "$box" >/dev/null
    # Readable on every depth: the toolkit draws nothing on a palette display, so there
    # the box is drawn with the server's own font; either way it is not a flat rectangle.
    [ "$(e2e_colour_count "$E2E_ARTEFACTS/refusal_box_$1x$2x$3.png")" -gt 1 ] ||
        e2e_fail "$1x$2x$3: the refusal box is empty"
    [ -z "$(e2e_main_window)" ] || e2e_fail "$1x$2x$3: the main window came up"
    [ -z "$(e2e_windows_titled '^Les Bramidou - d')" ] || e2e_fail "$1x$2x$3: the splash came up"
    e2e_key_to "$box" Return
    e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "$1x$2x$3: the program stayed after OK"
    [ "$E2E_EXIT_STATUS" = 1 ] || e2e_fail "$1x$2x$3: ended with status $E2E_EXIT_STATUS"
    [ ! -e "$E2E_RUN/bramidou.ini" ] || e2e_fail "$1x$2x$3: a refused start wrote the settings"
}

expect_start 640 480 15
expect_start 640 480 16
expect_refusal 640 480 8
expect_refusal 1024 768 8
expect_refusal 639 480 24
expect_refusal 640 479 24

# A first copy holds the lock on a good screen; a second copy on a poor screen, with the
# same runtime folder, shows the display refusal, not the single-copy one: its box is
# the very box the poor screen gave above, pixel for pixel.
e2e_start_x 800 600 24
e2e_start_game
first=$E2E_GAME_PID
e2e_wait_main_window
e2e_start_x 640 479 24
e2e_start_game
e2e_wait_refusal_box
box=$(e2e_refusal_box)
sleep 0.5
shot=$(e2e_shot_window second_copy_poor_screen "$box")
[ "$(e2e_differing_pixels "$shot" "$E2E_ARTEFACTS/refusal_box_640x479x24.png")" = 0 ] ||
    e2e_fail "the second copy on a poor screen did not show the display refusal"
e2e_key_to "$box" Return
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "the second copy stayed after OK"
kill -0 "$first" || e2e_fail "the first copy ended"
