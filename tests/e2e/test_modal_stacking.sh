#!/usr/bin/env bash
# The stop question stays above the main window while the board under it is clicked and
# the computers go on moving their horses: under openbox (whose stacking list must name
# the box above the main window, the box being the main window's transient) and without
# any window manager (where the X server's own stacking order is what shows).
source "$(dirname "$0")/lib.sh"

BOX_LEFT=$(((1024 - 440) / 2))
BOX_TOP=$(((768 - 260) / 2))

# The open question box: a mapped window of the game's title of 440 x 260.
question_box() {
    local id
    for id in $(e2e_windows_titled "$E2E_MAIN_TITLE"); do
        [ "$(e2e_window_size "$id")" = "440 260" ] && { echo "$id"; return; }
    done
}
has_question_box() { [ -n "$(question_box)" ]; }

# Index of a window in a bottom-to-top list of ids (decimal), or -1.
index_in() { # ID LIST...
    local want=$(($1)) i=0 id
    shift
    for id in "$@"; do
        [ $((id)) -eq "$want" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo -1
}

# Bottom-to-top order of the windows the window manager manages.
wm_stacking() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,/ /g'
}

# Bottom-to-top order of the root's children, as the X server stacks them.
x_stacking() {
    xwininfo -root -children | awk '$1 ~ /^0x/{print $1}' | tac
}

box_above_main() { # MODE MAIN BOX
    local m b
    if [ "$1" = wm ]; then
        # shellcheck disable=SC2046
        m=$(index_in "$2" $(wm_stacking))
        b=$(index_in "$3" $(wm_stacking))
    else
        # shellcheck disable=SC2046
        m=$(index_in "$2" $(x_stacking))
        # shellcheck disable=SC2046
        b=$(index_in "$3" $(x_stacking))
    fi
    [ "$m" -ge 0 ] && [ "$b" -gt "$m" ]
}

# run_case MODE: a game of four computers, the stop question, clicks on the board.
run_case() {
    local mode=$1 main box i x y
    e2e_start_x 1024 768
    [ "$mode" = wm ] && e2e_start_wm
    e2e_prepare_run_dir
    printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=2\r\nTemporisation=1\r\nSon=0\r\n' \
        >"$E2E_RUN/bramidou.ini"
    e2e_start_game
    e2e_wait_main_window 30
    main=$(e2e_main_window)
    sleep 1
    e2e_key_to "$main" n
    sleep 2
    e2e_key_to "$main" t
    e2e_wait_for 10 has_question_box || e2e_fail "$mode: the stop question did not open"
    box=$(question_box)
    if [ "$mode" = wm ]; then
        xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" ||
            e2e_fail "$mode: the box is not the main window's transient: $(xprop -id "$box" WM_TRANSIENT_FOR)"
    fi
    # Clicks all over the board around the box, while the horses keep moving.
    for i in $(seq 1 12); do
        x=$(((i * 83) % 760 + 5))
        y=$(((i * 131) % 740 + 10))
        if [ "$x" -ge "$BOX_LEFT" ] && [ "$x" -lt $((BOX_LEFT + 440)) ] &&
            [ "$y" -ge "$BOX_TOP" ] && [ "$y" -lt $((BOX_TOP + 260)) ]; then
            y=$((BOX_TOP + 300))
        fi
        xdotool mousemove "$x" "$y" click 1
        sleep 0.4
        box_above_main "$mode" "$main" "$box" ||
            e2e_fail "$mode: click $i at $x,$y put the main window over the box"
        e2e_is_viewable "$box" || e2e_fail "$mode: the box was hidden by click $i"
    done
    e2e_shot "stacking_$mode" >/dev/null
    # The box still answers: Oui stops the game, and Q then quits.
    xdotool mousemove $((BOX_LEFT + 133 + 40)) $((BOX_TOP + 212 + 17)) click 1
    e2e_wait_for 10 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" ||
        e2e_fail "$mode: Oui did not close the box"
    e2e_game_alive || e2e_fail "$mode: the game ended"
    e2e_key_to "$main" q
    e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "$mode: Q did not quit after the stop"
    echo "$mode: the box stayed above the main window through 12 clicks"
}

run_case wm
# A second world without a window manager.
e2e_cleanup_pids() {
    local pid
    for pid in "${E2E_PIDS[@]:-}"; do kill "$pid" 2>/dev/null || true; done
    E2E_PIDS=()
    unset E2E_RUN
}
e2e_cleanup_pids
sleep 0.5
run_case bare
echo PASS
