#!/usr/bin/env bash
# On a screen of none of the three widths the 1024 artwork floats: centred on the first
# run, dragged by its board, and the close stores where it was left.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_start_x 1280 1024
e2e_start_wm
e2e_start_panel
e2e_start_game
e2e_wait_main_window 30
sleep 1
win=$(e2e_main_window)
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry"
grep -q "Position: 128,128 " <<<"$geometry" || e2e_fail "the window is not centred"
grep -q "Geometry: 1024x768" <<<"$geometry" || e2e_fail "the window is not 1024x768"
before=$(e2e_shot mainwindow_windowed_before)

# Drag by the board (a spot between the track squares) 100 right and 60 down.
xdotool mousemove 150 400
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((150 + step * 20)) $((400 + step * 12))
    sleep 0.1
done
xdotool mouseup 1
sleep 0.5
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry"
grep -q "Position: 228,188 " <<<"$geometry" || e2e_fail "the drag did not move the window to (228, 188)"
after=$(e2e_shot mainwindow_windowed_after)
# The board's top-left corner follows the window: the same pixel, 100 right and 60 down.
[ "$(e2e_pixel "$before" 140 140)" = "$(e2e_pixel "$after" 240 200)" ] ||
    e2e_fail "the board was not drawn where the window went"

e2e_key q
e2e_wait_for 10 sh -c "! kill -0 $E2E_GAME_PID" || e2e_fail "q did not quit"
grep -q $'PositionXPrincipale=228\r' "$E2E_RUN/bramidou.ini" || e2e_fail "left not saved"
grep -q $'PositionYPrincipale=188\r' "$E2E_RUN/bramidou.ini" || e2e_fail "top not saved"

# The next start opens where the window was left.
e2e_start_game
e2e_wait_main_window 30
sleep 1
xdotool getwindowgeometry "$(e2e_main_window)" | grep -q "Position: 228,188 " ||
    e2e_fail "the saved position was not used"
echo "PASS"
