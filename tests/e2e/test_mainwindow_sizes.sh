#!/usr/bin/env bash
# At the three screen widths the main window takes the artwork of that width and fills
# the screen from (0, 0). Each screen gets its own X server; the board is checked on a
# screenshot at known pixels.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# classify R G B: the broad colour a pixel of the board shows.
classify() {
    local r=$1 g=$2 b=$3
    if [ "$r" -gt 200 ] && [ "$g" -gt 200 ] && [ "$b" -gt 200 ]; then echo light
    elif [ "$r" -gt 150 ] && [ "$g" -lt 120 ] && [ "$b" -lt 120 ]; then echo red
    elif [ "$r" -gt 180 ] && [ "$g" -gt 140 ] && [ "$b" -lt 90 ]; then echo yellow
    elif [ "$b" -gt 150 ] && [ "$r" -lt 100 ]; then echo blue
    elif [ "$g" -gt 110 ] && [ "$r" -lt 90 ] && [ "$b" -lt 110 ]; then echo green
    elif [ "$g" -gt "$r" ] && [ "$g" -gt "$b" ] && [ "$r" -lt 80 ]; then echo darkgreen
    else echo other; fi
}

# check_screen SCREEN_W SCREEN_H ARTWORK TOP
check_screen() (
    local sw=$1 sh=$2 size=$3 top=$4
    source "$here/lib.sh"
    e2e_start_x "$sw" "$sh"
    e2e_start_wm
    e2e_start_game
    e2e_wait_main_window 30
    sleep 1
    local win geometry
    win=$(e2e_main_window)
    geometry=$(xdotool getwindowgeometry "$win")
    echo "$sw x $sh: $geometry"
    local height=$((size * 3 / 4))
    grep -q "Position: 0,$top " <<<"$geometry" || e2e_fail "$sw x $sh: window not at (0, $top)"
    grep -q "Geometry: ${size}x${height}" <<<"$geometry" ||
        e2e_fail "$sw x $sh: window is not ${size}x${height}"

    local shot
    shot=$(e2e_shot "mainwindow_${sw}x${sh}")
    # Points of the 800 board (stables, a track square, the die's field), scaled to the
    # artwork in use and shifted by the window's top.
    local point x y seen
    for point in "40 115 red" "560 110 yellow" "150 560 blue" "560 470 green" \
                 "350 34 light" "700 330 darkgreen"; do
        set -- $point
        x=$(($1 * size / 800))
        y=$(($2 * size / 800 + top))
        [ "$y" -ge 0 ] && [ "$y" -lt "$sh" ] || continue
        seen=$(classify $(e2e_pixel "$shot" "$x" "$y"))
        [ "$seen" = "$3" ] || e2e_fail "$sw x $sh: pixel ($x, $y) is $seen, not $3"
    done
    # Nothing of the desktop shows round a window that fills the screen.
    [ "$(classify $(e2e_pixel "$shot" $((sw - 1)) $((sh - 1))))" != light ] ||
        e2e_fail "$sw x $sh: the bottom-right corner is not the board's"
    e2e_key q
    e2e_wait_for 10 sh -c "! kill -0 $E2E_GAME_PID" || e2e_fail "$sw x $sh: q did not quit"
)

check_screen 800 600 800 0
check_screen 1024 768 1024 0
check_screen 640 480 640 0
# 1024 x 600 has one of the three widths, so the 1024 artwork is centred, not floated: its
# top is (600 - 768) / 2 = -84 and it overlaps both edges of the screen.
check_screen 1024 600 1024 -84
echo "PASS"
