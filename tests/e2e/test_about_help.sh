#!/usr/bin/env bash
# The about window and the help from the real game. F5 shows the about window; a click on
# the web address and on an e-mail address reaches the desktop's opener (a stand-in first
# on PATH that records its argument); Ok closes it. F1 shows the help viewer at its
# contents; a search for "capture" opens the rules page.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# The stand-in opener: Qt hands addresses to xdg-open, found on PATH.
opened=$E2E_TMP/opened.txt
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s\n' "\$*" >>"$opened"
STANDIN
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH=$E2E_TMP/bin:$PATH
unset BROWSER DEFAULT_BROWSER
touch "$opened"

e2e_start_x 1024 768
e2e_start_wm
e2e_start_game
e2e_wait_main_window 30
main=$(e2e_main_window)
sleep 1

# --- About ------------------------------------------------------------------------------
e2e_key_to "$main" F5
e2e_wait_for 10 sh -c "xdotool search --onlyvisible --name '^A propos de Les Bramidou\$'" ||
    e2e_fail "F5 did not show the about window"
about=$(e2e_windows_titled '^A propos de Les Bramidou$' | head -n 1)
read -r ax ay <<<"$(e2e_window_position "$about")"
read -r aw ah <<<"$(e2e_window_size "$about")"
[ "$aw $ah" = "440 260" ] || e2e_fail "the about window is $aw x $ah"
[ "$ax $ay" = "292 254" ] || e2e_fail "the about window is not centred: $ax $ay"
xdotool mousemove $((ax + 200)) $((ay + 60))
sleep 0.5
rest=$(e2e_shot about_rest)
xdotool mousemove $((ax + 392)) $((ay + 234))
sleep 0.5
hover=$(e2e_shot about_hover)
e2e_crop "$rest" 80x36+$((ax + 352))+$((ay + 216)) "$E2E_TMP/ok_rest.png"
e2e_crop "$hover" 80x36+$((ax + 352))+$((ay + 216)) "$E2E_TMP/ok_hover.png"
[ "$(e2e_differing_pixels "$E2E_TMP/ok_rest.png" "$E2E_TMP/ok_hover.png")" -gt 200 ] ||
    e2e_fail "the OK button does not light up under the pointer"

click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool click 1
}
# The web address, then the first e-mail address (labels at 248,188 and 248,116).
click_at $((ax + 260)) $((ay + 194))
e2e_wait_for 10 grep -qxF 'http://vurmont.example.com' "$opened" ||
    e2e_fail "the web address did not reach the opener: $(cat "$opened")"
click_at $((ax + 260)) $((ay + 122))
e2e_wait_for 10 grep -qxF 'mailto:bramidou@example.com?subject=Les%20Bramidou' "$opened" ||
    e2e_fail "the e-mail did not reach the opener: $(cat "$opened")"
echo "opener received:" && cat "$opened"
e2e_is_viewable "$about" || e2e_fail "the about window closed after a link"

click_at $((ax + 392)) $((ay + 234))
e2e_wait_for 5 sh -c "! xdotool search --onlyvisible --name '^A propos de Les Bramidou\$'" ||
    e2e_fail "Ok did not close the about window"

# --- Help -------------------------------------------------------------------------------
e2e_key_to "$main" F1
e2e_wait_for 15 sh -c "xdotool search --onlyvisible --name '^Aide'" ||
    e2e_fail "F1 did not show the help viewer"
viewer=$(e2e_windows_titled '^Aide' | head -n 1)
e2e_wait_for 10 sh -c "xdotool getwindowname $viewer | grep -q '^Aide : Bienvenue dans Les Bramidou'" ||
    e2e_fail "the viewer does not show the first page: $(xdotool getwindowname "$viewer")"
sleep 1
e2e_shot viewer_contents >/dev/null

e2e_key_to "$viewer" alt+i
sleep 0.5
xdotool type --delay 60 "capt"
sleep 1
e2e_shot viewer_index >/dev/null

e2e_key_to "$viewer" alt+r
sleep 0.5
xdotool type --delay 60 "capture"
xdotool key Return
e2e_wait_for 30 sh -c "xdotool getwindowname $viewer | grep -q '^Aide : Les règles du jeu'" ||
    e2e_fail "searching for capture did not open the rules: $(xdotool getwindowname "$viewer")"
sleep 1
e2e_shot viewer_search >/dev/null

# A second F1 from the game brings the same viewer back, still one of it.
e2e_key_to "$main" F1
sleep 1
[ "$(e2e_windows_titled '^Aide' | wc -l)" -eq 1 ] || e2e_fail "a second viewer opened"
e2e_game_alive || e2e_fail "the game ended"
