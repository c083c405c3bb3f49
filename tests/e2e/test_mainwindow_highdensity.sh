#!/usr/bin/env bash
# A 2048 x 1536 screen at a scale of 2 (QT_SCALE_FACTOR) is 1024 x 768 in logical pixels:
# the game opens full screen at the 1024 layout, the board on the screen is the 2x render
# pixel for pixel (its square outlines as sharp as there, not the 1024 board stretched),
# and a click at twice a button's logical place works. For comparison the same board is
# shot at 1024 x 768 without scaling and stretched to twice its size.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

TWIN=$E2E_RUN_SRC/../assets/generated/art/img1024x768@2x.png
[ -f "$TWIN" ] || e2e_fail "no 2x render of the board at $TWIN"

# edge_width FILE X Y: along the row through (X, Y), the centre of a round square, going
# left: how many pixels the fall from the paper round the square to the darkest pixel
# of its outline takes between 10 % and 90 % of the way. A sharp edge is a pixel or two.
edge_width() {
    convert "$1" -crop 50x1+$(($2 - 50))+"$3" +repage -colorspace gray -depth 8 \
        -compress none pgm:- | tail -n +4 | tr -s ' \n' '\n\n' | grep . |
        awk '{ v[n++] = $1 + 0 }
            END {
                # v[0] is the paper round the square, v[n-1] its middle: the outline is the
                # darkest pixel; the paper begins where the values stop rising leftwards.
                lo = 0
                for (i = 0; i < n; i++) if (v[i] < v[lo]) lo = i
                hi = lo
                while (hi > 0 && v[hi - 1] >= v[hi]) hi--
                count = 0
                for (i = hi; i <= lo; i++) {
                    t = (v[hi] - v[i]) / (v[hi] - v[lo] + 0.0001)
                    if (t > 0.1 && t < 0.9) count++
                }
                print count
            }'
}

# Square 2 of the 1024 board, a plain one, has its centre at (448, 88).
SQX=448
SQY=88

# At 100 %: the normal picture. The subshell has its own world, cleaned up as it ends.
outer_tmp=$E2E_TMP
outer_artefacts=$E2E_ARTEFACTS
(
    source "$here/lib.sh"
    e2e_start_x 1024 768
    e2e_start_wm
    e2e_start_game
    e2e_wait_main_window 30
    sleep 1
    shot=$(e2e_shot highdensity_1x_at_100)
    [ "$shot" -ef "$outer_artefacts/highdensity_1x_at_100.png" ] ||
        cp "$shot" "$outer_artefacts/highdensity_1x_at_100.png"
    cp "$shot" "$outer_tmp/one.png"
    e2e_key q
    e2e_wait_for 10 sh -c "! kill -0 $E2E_GAME_PID" || e2e_fail "q did not quit at 100 %"
)
# What a screen at 200 % would show with only the normal picture: each pixel doubled.
convert "$E2E_TMP/one.png" -scale 200% "$E2E_ARTEFACTS/highdensity_1x_stretched.png"

e2e_start_x 2048 1536
e2e_start_wm
export QT_SCALE_FACTOR=2
e2e_start_game
e2e_wait_main_window 30
sleep 1
win=$(e2e_main_window)
[ "$(e2e_window_size "$win")" = "2048 1536" ] ||
    e2e_fail "the window is $(e2e_window_size "$win"), not the whole 2048 x 1536 screen"
[ "$(e2e_window_position "$win")" = "0 0" ] || e2e_fail "the window is not at (0, 0)"
shot=$(e2e_shot highdensity_2x_at_200)

# The board's left part, where nothing lies over it before a game, is the 2x render.
e2e_crop "$shot" 1500x1500+0+0 "$E2E_TMP/shown.png"
e2e_crop "$TWIN" 1500x1500+0+0 "$E2E_TMP/twin.png"
differing=$(e2e_differing_pixels "$E2E_TMP/shown.png" "$E2E_TMP/twin.png")
echo "board pixels differing from the 2x render: $differing of 2250000"
[ "$differing" -le 100 ] || e2e_fail "the board on the screen is not the 2x render ($differing pixels differ)"

shown_edge=$(edge_width "$shot" $((2 * SQX)) $((2 * SQY)))
twin_edge=$(edge_width "$TWIN" $((2 * SQX)) $((2 * SQY)))
stretched_edge=$(edge_width "$E2E_ARTEFACTS/highdensity_1x_stretched.png" $((2 * SQX)) $((2 * SQY)))
echo "square outline edge width (pixels): shown at 200 % $shown_edge, 2x render $twin_edge, 1x stretched $stretched_edge"
[ "$shown_edge" -le "$twin_edge" ] || e2e_fail "the square outlines are blurred on the screen"
[ "$shown_edge" -lt "$stretched_edge" ] || e2e_fail "the edge measure does not tell 1x stretched apart"

# Nouveau at its logical place (809, 272), 174 x 39, clicked at twice that: a game starts
# and the horses stand in their stables (the red one at the top left).
stable="400x400+60+60"
e2e_crop "$shot" "$stable" "$E2E_TMP/stable_before.png"
xdotool mousemove $((2 * 809 + 174)) $((2 * 272 + 39))
sleep 0.3
xdotool click 1
sleep 1
started=$(e2e_shot highdensity_2x_new_game)
e2e_crop "$started" "$stable" "$E2E_TMP/stable_after.png"
changed=$(e2e_differing_pixels "$E2E_TMP/stable_before.png" "$E2E_TMP/stable_after.png")
echo "pixels of the red stable changed by the click on Nouveau: $changed"
[ "$changed" -gt 5000 ] || e2e_fail "the click at Nouveau's place did not start a game"
echo "PASS"
