#!/usr/bin/env bash
# The real game with sound on, four computers playing: the step and capture sounds reach
# the sound server (a private null sink) and are heard there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/pulse.sh"

pulse_start || e2e_fail "no private sound server"
e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=2\r\nTemporisation=1\r\nSon=1\r\n' \
    >"$E2E_RUN/bramidou.ini"
e2e_start_game
e2e_wait_main_window
pulse_record "$E2E_TMP/game.raw" || e2e_fail "parec did not connect"
xdotool windowfocus --sync "$(e2e_main_window)" 2>/dev/null || true
e2e_key n
# A throw without a possible move takes half a second; a six comes within a few dozen
# throws, and its stable exit is a step sound.
sleep 40
pulse_record_stop
e2e_game_alive || e2e_fail "the game ended while playing with sound"

peak=$(sox -t raw -r 44100 -e signed -b 16 -c 1 "$E2E_TMP/game.raw" -n stat 2>&1 |
    awk '/^Maximum amplitude/ {print $3}')
echo "peak of the recorded game sound: $peak"
awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.05) }' || e2e_fail "no game sound reached the server"
echo "PASS"
