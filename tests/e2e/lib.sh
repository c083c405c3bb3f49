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
    exit 1
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

# e2e_start_x WIDTH HEIGHT [DEPTH]: a private Xvfb, DISPLAY exported.
e2e_start_x() {
    local w=$1 h=$2 depth=${3:-24} n
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb ":$n" -screen 0 "${w}x${h}x${depth}" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    export DISPLAY=":$n"
    e2e_wait_for 10 xdpyinfo || e2e_fail "Xvfb did not start on $DISPLAY"
}

e2e_start_wm() {
    openbox >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' ||
        e2e_fail "openbox did not start"
}

e2e_start_panel() {
    tint2 >"$E2E_TMP/tint2.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for 10 sh -c 'xdotool search --class tint2' || e2e_fail "tint2 did not start"
}

# A private copy of the run folder; the game runs from there, as the README runs it.
e2e_prepare_run_dir() {
    E2E_RUN=$E2E_TMP/run
    mkdir -p "$E2E_RUN"
    cp -r "$E2E_RUN_SRC"/. "$E2E_RUN"/
    rm -f "$E2E_RUN"/bramidou.ini
}

# e2e_start_game: starts ./bramidou from the private run folder; E2E_GAME_PID is set.
e2e_start_game() {
    [ -n "${E2E_RUN:-}" ] || e2e_prepare_run_dir
    (cd "$E2E_RUN" && exec ./bramidou) >"$E2E_TMP/game.log" 2>&1 &
    E2E_GAME_PID=$!
    E2E_PIDS+=($E2E_GAME_PID)
}

# The game's main window (the mapped one whose title is the game's), or nothing.
e2e_main_window() {
    xdotool search --onlyvisible --name '^Les Bramidou$' 2>/dev/null | head -n 1
}

e2e_wait_main_window() {
    e2e_wait_for "${1:-20}" sh -c '[ -n "$(xdotool search --onlyvisible --name "^Les Bramidou$" 2>/dev/null)" ]' ||
        e2e_fail "the main window did not appear"
}

# e2e_shot NAME: a screenshot of the whole screen, kept with the artefacts; prints its path.
e2e_shot() {
    local f=$E2E_ARTEFACTS/$1.png
    import -window root "$f"
    echo "$f"
}

# e2e_pixel FILE X Y: prints "R G B" of one pixel.
e2e_pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)] %[fx:int(255*p{'"$2"','"$3"'}.g)] %[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# e2e_key KEY...: key presses sent to the focused window.
e2e_key() {
    xdotool key --delay 80 "$@"
}

e2e_game_alive() {
    kill -0 "$E2E_GAME_PID" 2>/dev/null
}
