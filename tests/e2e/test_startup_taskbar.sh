#!/usr/bin/env bash
# At a full-screen size the game covers the desktop panel while it is up, uncovers it
# when minimised, covers it again when restored, and leaves it visible once it has quit.
# At any other size the panel is never covered.
source "$(dirname "$0")/lib.sh"

# The panel lies along the bottom edge; its strip is compared with the strip the panel
# shows before the game starts. Its clock and task buttons change a few pixels only.
panel_strip() { # NAME WIDTH HEIGHT
    local shot
    shot=$(e2e_shot "$1")
    e2e_crop "$shot" "${2}x24+0+$(($3 - 24))" "$E2E_ARTEFACTS/$1_strip.png"
    echo "$E2E_ARTEFACTS/$1_strip.png"
}

# Percent of the strip that no longer shows the panel.
covered_percent() { # NAME WIDTH HEIGHT
    local strip diff
    strip=$(panel_strip "$@")
    diff=$(compare -metric AE -fuzz 10% "$E2E_ARTEFACTS/panel_alone_strip.png" "$strip" null: 2>&1 | cut -d' ' -f1)
    echo $((diff * 100 / ($2 * 24)))
}

expect_covered() { # NAME WIDTH HEIGHT
    local p
    p=$(covered_percent "$@")
    [ "$p" -ge 80 ] || e2e_fail "$1: the panel shows ($p% of its strip covered)"
}

expect_panel_visible() { # NAME WIDTH HEIGHT
    local p
    p=$(covered_percent "$@")
    [ "$p" -le 25 ] || e2e_fail "$1: the panel is hidden ($p% of its strip covered)"
}

# Full screen: 800 x 600.
e2e_start_x 800 600 24
e2e_start_wm
e2e_start_panel
panel_strip panel_alone 800 600 >/dev/null

e2e_start_game
e2e_wait_main_window
main=$(e2e_main_window)
sleep 0.5
expect_covered up 800 600
e2e_net_wm_state "$main" | grep -q _NET_WM_STATE_FULLSCREEN || e2e_fail "not full-screen while up"
[ "$(e2e_window_position "$main")" = "0 0" ] || e2e_fail "window moved: $(e2e_window_position "$main")"
[ "$(e2e_window_size "$main")" = "800 600" ] || e2e_fail "window resized: $(e2e_window_size "$main")"

e2e_key_to "$main" F7
e2e_wait_for 5 sh -c "! xwininfo -id $main | grep -q IsViewable" || e2e_fail "F7 did not minimise ($(e2e_net_wm_state "$main"); focus $(xdotool getwindowfocus), main $main)"
sleep 0.5
expect_panel_visible minimised 800 600
e2e_net_wm_state "$main" | grep -vq _NET_WM_STATE_FULLSCREEN || e2e_fail "still full-screen when minimised"

xdotool windowactivate "$main" 2>/dev/null || xdotool windowmap "$main"
e2e_wait_for 5 e2e_is_viewable "$main" || e2e_fail "the window did not come back"
sleep 0.5
expect_covered restored 800 600
[ "$(e2e_window_size "$main")" = "800 600" ] || e2e_fail "restored at $(e2e_window_size "$main")"

# Minimised and restored a second time, through the window manager's own map request.
e2e_key_to "$main" F7
e2e_wait_for 5 sh -c "! xwininfo -id $main | grep -q IsViewable" ||
    e2e_fail "F7 did not minimise again ($(e2e_net_wm_state "$main"); focus $(xdotool getwindowfocus), main $main)"
xdotool windowmap "$main"
xdotool windowactivate "$main" 2>/dev/null || true
e2e_wait_for 5 e2e_is_viewable "$main" || e2e_fail "the window did not come back again"
sleep 0.5
expect_covered restored_again 800 600

e2e_key_to "$main" q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not end the idle game"
[ "$E2E_EXIT_STATUS" = 0 ] || e2e_fail "the game ended with status $E2E_EXIT_STATUS"
sleep 0.5
expect_panel_visible after_quit 800 600
[ -n "$(xdotool search --onlyvisible --class tint2)" ] || e2e_fail "the panel is gone"

# Windowed: a 1280 x 1024 screen is none of the artwork widths.
e2e_start_x 1280 1024 24
e2e_start_wm
e2e_start_panel
panel_strip panel_alone 1280 1024 >/dev/null
rm -f "$E2E_RUN/bramidou.ini"
e2e_start_game
e2e_wait_main_window
main=$(e2e_main_window)
sleep 0.5
expect_panel_visible windowed_up 1280 1024
if e2e_net_wm_state "$main" | grep -q _NET_WM_STATE_FULLSCREEN; then
    e2e_fail "a windowed game went full-screen"
fi
e2e_key_to "$main" q
e2e_wait_exit "$E2E_GAME_PID" 10 || e2e_fail "Q did not end the windowed game"
