#!/usr/bin/env bash
# The portable copy started by its full path from / and from the home folder: its sounds
# are found beside the executable and heard, and its settings stay beside it; nothing is
# read from or written to the working folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/pulse.sh"

export HOME=$E2E_TMP/home
mkdir -p "$HOME"
pulse_start || e2e_fail "no private sound server"
e2e_start_x 1024 768
e2e_start_wm
e2e_prepare_run_dir
# A step sound in the working folder that is silent: heard only if it were opened there.
sox -n -r 44100 -c 1 -b 16 "$HOME/movehorse.wav" trim 0 0.2
cp "$HOME/movehorse.wav" "$HOME/killhorse.wav"

run=0
for folder in / "$HOME"; do
    run=$((run + 1))
    printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=2\r\nTemporisation=1\r\nSon=1\r\n' \
        >"$E2E_RUN/bramidou.ini"
    E2E_GAME_LOG=$E2E_TMP/game.$(date +%s%N).log
    (cd "$folder" && exec "$E2E_RUN/bramidou") >"$E2E_GAME_LOG" 2>&1 &
    E2E_GAME_PID=$!
    E2E_PIDS+=($E2E_GAME_PID)
    e2e_wait_main_window 30
    sleep 1
    recording=$E2E_TMP/game.$run.raw
    pulse_record "$recording" || e2e_fail "parec did not connect"
    xdotool windowfocus --sync "$(e2e_main_window)" 2>/dev/null || true
    e2e_key n
    pulse_wait_sound "$recording" 50 || e2e_fail "no game sound heard when started from $folder"
    pulse_record_stop
    echo "started from $folder: peak $PULSE_PEAK"
    e2e_stop_and_quit 1024 768
    grep -q $'PositionXPrincipale=0\r' "$E2E_RUN/bramidou.ini" ||
        e2e_fail "the settings beside the executable were not written (from $folder)"
    [ ! -e "$folder/bramidou.ini" ] || e2e_fail "settings written in the working folder $folder"
done
echo "PASS"
