# Shared helpers of the end-to-end tests: a private X server, window manager and panel,
# a private copy of the run folder (so the settings file is the test's own), the game,
# screenshots and pixel reads. Source it; every test gets its own clean world.
set -euo pipefail

E2E_RUN_SRC=${BRAMIDOU_RUN_DIR:?BRAMIDOU_RUN_DIR is not set}
E2E_TMP=$(mktemp -d /tmp/bramidou-e2e.XXXXXX)
E2E_PIDS=()
E2E_ARTEFACTS=${BRAMIDOU_E2E_ARTEFACTS:-$E2E_TMP/artefacts}
mkdir -p "$E2E_ARTEFACTS"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The game must pick its own backend; a Wayland session of the caller must not leak in.
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
E2E_MAIN_TITLE='^Les Bramidou$'

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]:-}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    sleep 0.2
    for pid in "${E2E_PIDS[@]:-}"; do
        [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
    done
    if [ -z "${BRAMIDOU_E2E_KEEP:-}" ]; then rm -rf "$E2E_TMP"; fi
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "${E2E_GAME_LOG:-}" ] && [ -s "$E2E_GAME_LOG" ]; then
        echo "--- game output ($E2E_GAME_LOG):" >&2
        tail -n 20 "$E2E_GAME_LOG" >&2
    fi
    exit 1
}

e2e_log() {
    echo "e2e: $*" >&2
}

# Polls a command until it succeeds or the seconds run out.
e2e_wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# Milliseconds since the epoch, for ordering observations.
e2e_now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# e2e_start_x WIDTH HEIGHT [DEPTH]: a private Xvfb, DISPLAY exported. Display numbers are
# drawn at random from a high range and the server itself refuses one in use, so tests
# run side by side (and anyone's :0) never share a screen. May be called again for a
# second screen; every DISPLAY started stays in E2E_DISPLAYS.
e2e_start_x() {
    local w=$1 h=$2 depth=${3:-24} n pid log attempt
    log=$E2E_TMP/xvfb.${w}x${h}x${depth}.log
    for attempt in $(seq 1 20); do
        n=$((200 + RANDOM % 700))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${w}x${h}x${depth}" -nolisten tcp -noreset >"$log" 2>&1 &
        pid=$!
        if DISPLAY=":$n" e2e_wait_for 10 xdpyinfo; then
            E2E_PIDS+=($pid)
            export DISPLAY=":$n"
            E2E_DISPLAYS+=("$DISPLAY")
            # xdotool types through the server's virtual test keyboard; its first key
            # switches the core keyboard over to that device, which a program running at
            # that moment may take for a keymap change, losing the key. Switch now.
            xdotool key Shift_L
            return
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    e2e_fail "Xvfb did not start at ${w}x${h}x${depth}: $(tail -n 3 "$log")"
}
E2E_DISPLAYS=()

e2e_start_wm() {
    openbox >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' ||
        e2e_fail "openbox did not start"
    # openbox announces itself before it is ready: a window mapped in its first moments
    # can be left neither managed nor shown. Wait until a probe window really shows,
    # trying again with a new probe when one is lost.
    local probe attempt shown=0
    for attempt in 1 2 3 4 5 6; do
        xmessage -title e2e-wm-probe probe >/dev/null 2>&1 &
        probe=$!
        if e2e_wait_for 2 sh -c "xdotool search --onlyvisible --name '^e2e-wm-probe\$'"; then
            shown=1
        fi
        kill "$probe" 2>/dev/null || true
        wait "$probe" 2>/dev/null || true
        [ $shown -eq 1 ] && break
    done
    [ $shown -eq 1 ] || e2e_fail "openbox does not show windows"
    e2e_wait_for 5 sh -c "! xdotool search --onlyvisible --name '^e2e-wm-probe\$'" || true
}

e2e_start_panel() {
    tint2 >"$E2E_TMP/tint2.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for 10 sh -c 'xdotool search --onlyvisible --class tint2' || e2e_fail "tint2 did not start"
    # The panel draws itself a moment after it maps.
    sleep 1
}

# A private copy of the run folder; the game runs from there, as the README runs it.
e2e_prepare_run_dir() {
    E2E_RUN=$E2E_TMP/run
    mkdir -p "$E2E_RUN"
    cp -r "$E2E_RUN_SRC"/. "$E2E_RUN"/
    rm -f "$E2E_RUN"/bramidou.ini
}

# e2e_start_game: starts ./bramidou from the private run folder on the current DISPLAY;
# E2E_GAME_PID is set, and E2E_GAME_LOG names its output. Each start gets its own log.
e2e_start_game() {
    [ -n "${E2E_RUN:-}" ] || e2e_prepare_run_dir
    E2E_GAME_LOG=$E2E_TMP/game.$(date +%s%N).log
    (cd "$E2E_RUN" && exec ./bramidou) >"$E2E_GAME_LOG" 2>&1 &
    E2E_GAME_PID=$!
    E2E_PIDS+=($E2E_GAME_PID)
}

# e2e_windows_titled REGEX: the mapped windows whose title matches, one id a line.
e2e_windows_titled() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}

# The CD player's window, or nothing while it is hidden.
e2e_cd_window() {
    e2e_windows_titled '^Fenetre CD$' | head -n 1
}
e2e_has_cd_window() {
    [ -n "$(e2e_cd_window)" ]
}

# The game's main window (the mapped one whose title is the game's), or nothing. The two
# start-up refusals bear the same title; they are far smaller than any board.
e2e_main_window() {
    local id
    for id in $(e2e_windows_titled "$E2E_MAIN_TITLE"); do
        [ "$(e2e_window_size "$id" | cut -d' ' -f1)" -ge 640 ] && { echo "$id"; return; }
    done
}

e2e_has_main_window() {
    [ -n "$(e2e_main_window)" ]
}

e2e_wait_main_window() {
    e2e_wait_for "${1:-20}" e2e_has_main_window || e2e_fail "the main window did not appear"
}

# The start-up refusal box (a small window bearing the game's title), or nothing.
e2e_refusal_box() {
    local id
    for id in $(e2e_windows_titled "$E2E_MAIN_TITLE"); do
        [ "$(e2e_window_size "$id" | cut -d' ' -f1)" -lt 640 ] && { echo "$id"; return; }
    done
}

e2e_has_refusal_box() {
    [ -n "$(e2e_refusal_box)" ]
}

e2e_wait_refusal_box() {
    e2e_wait_for "${1:-20}" e2e_has_refusal_box || e2e_fail "no refusal box appeared"
}

# e2e_window_size ID: "WIDTH HEIGHT"; e2e_window_position ID: "X Y" (root coordinates).
e2e_window_size() {
    xwininfo -id "$1" 2>/dev/null | awk '/^  Width:/{w=$2} /^  Height:/{h=$2} END{print w+0, h+0}'
}
e2e_window_position() {
    xwininfo -id "$1" 2>/dev/null |
        awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x+0, y+0}'
}

# e2e_is_viewable ID: the window exists and is on screen.
e2e_is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# e2e_net_wm_state ID: the window manager's state atoms of the window, one line.
e2e_net_wm_state() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null || true
}

e2e_has_ended() {
    ! kill -0 "$1" 2>/dev/null
}

# e2e_wait_exit PID SECONDS: waits for a process this shell started to end and sets
# E2E_EXIT_STATUS to its exit status; fails when it is still running. Call it directly,
# not inside $(...): only this shell can collect its own children's status.
e2e_wait_exit() {
    local pid=$1 seconds=${2:-10}
    E2E_EXIT_STATUS=
    e2e_wait_for "$seconds" e2e_has_ended "$pid" || return 1
    E2E_EXIT_STATUS=0
    wait "$pid" 2>/dev/null || E2E_EXIT_STATUS=$?
}

# e2e_shot NAME: a screenshot of the whole screen, kept with the artefacts; prints its path.
e2e_shot() {
    local f=$E2E_ARTEFACTS/$1.png
    import -window root "$f"
    echo "$f"
}

# e2e_shot_window NAME ID: a screenshot of one window's area as it shows on the screen.
e2e_shot_window() {
    local f=$E2E_ARTEFACTS/$1.png
    import -window "$2" "$f"
    echo "$f"
}

# e2e_pixel FILE X Y: prints "R G B" of one pixel.
e2e_pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)] %[fx:int(255*p{'"$2"','"$3"'}.g)] %[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# e2e_crop FILE GEOMETRY OUT: a part of a picture (GEOMETRY as WxH+X+Y).
e2e_crop() {
    convert "$1" -crop "$2" +repage "$3"
}

# e2e_differing_pixels A B: how many pixels differ between two pictures of one size.
e2e_differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true
}

# e2e_colour_count FILE: how many distinct colours a picture holds (1 for a flat area).
e2e_colour_count() {
    identify -format '%k' "$1"
}

# e2e_key KEY...: key presses sent to the focused window.
e2e_key() {
    xdotool key --delay 80 "$@"
}

# e2e_key_to ID KEY...: key presses sent to one window after making it the active one
# (through the window manager when there is one, so the toolkit sees it activated).
e2e_key_to() {
    local id=$1
    shift
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; then
        xdotool windowactivate --sync "$id" 2>/dev/null || true
    else
        xdotool windowfocus --sync "$id" 2>/dev/null || true
    fi
    xdotool key --delay 80 "$@"
}

e2e_game_alive() {
    kill -0 "$E2E_GAME_PID" 2>/dev/null
}

# e2e_stop_and_quit SCREEN_W SCREEN_H: stops a running game (T, then Oui in the question
# box centred on the screen) and quits with Q; E2E_EXIT_STATUS is the game's status.
e2e_stop_and_quit() {
    e2e_key t
    sleep 1
    xdotool mousemove $((($1 - 440) / 2 + 133 + 40)) $((($2 - 260) / 2 + 212 + 17))
    sleep 0.3
    xdotool click 1
    sleep 2
    e2e_key q
    e2e_wait_exit "$E2E_GAME_PID" 15 || e2e_fail "Q did not quit after the stop"
}
