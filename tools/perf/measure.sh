#!/usr/bin/env bash
# Prints the figures of the README's Performance section, measured on the real game under
# a private Xvfb at 1024x768 (so the 1024 artwork, full-screen), without a window manager:
#   start-up      exec to the main window mapped on the X server (median of 3 starts)
#   idle CPU      share of one core over 30 s while a human is to throw
#   peak memory   VmHWM of that run
#   six-square walk without sound, first sleep to last, from the game's own sleep calls
#   start-up and quit with a 16 MiB settings file of short lines (a file a tool filled)
# Usage: tools/perf/measure.sh [BUILD_DIR]   (default: build). Asserts nothing.
# BRAMIDOU_SCREEN=2048x1536 BRAMIDOU_SCALE=2 measures the same at a scale of 2, where the
# screen is 1024 x 768 in logical pixels and the game loads the 2x set.
set -euo pipefail

BUILD=$(realpath "${1:-build}")
GAME_DIR=$BUILD/bin
PROBE=$BUILD/tools/perf/bramidou-startup-probe
IDLE_SECONDS=${BRAMIDOU_IDLE_SECONDS:-30}
WALK_SECONDS=${BRAMIDOU_WALK_SECONDS:-120}
SCREEN=${BRAMIDOU_SCREEN:-1024x768}
if [ -n "${BRAMIDOU_SCALE:-}" ]; then export QT_SCALE_FACTOR=$BRAMIDOU_SCALE; fi

[ -x "$GAME_DIR/bramidou" ] || { echo "measure: no $GAME_DIR/bramidou; build the game first" >&2; exit 1; }
[ -x "$PROBE" ] || { echo "measure: no $PROBE; build bramidou-startup-probe" >&2; exit 1; }

TMP=$(mktemp -d /tmp/bramidou-perf.XXXXXX)
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]:-}"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null || true; done
    rm -rf "$TMP"
}
trap cleanup EXIT

for n in $(seq 150 190); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
done
Xvfb ":$n" -screen 0 "${SCREEN}x24" -nolisten tcp -noreset >"$TMP/xvfb.log" 2>&1 &
PIDS+=($!)
export DISPLAY=":$n"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# No sound server: the measured runs are silent whatever the machine has.
export PULSE_SERVER=unix:/nonexistent/bramidou-perf
export XDG_RUNTIME_DIR=$TMP/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

RUN=$TMP/run
mkdir -p "$RUN"
cp -r "$GAME_DIR"/. "$RUN"/

# write_settings JAUNE VERT BLEU ROUGE: the four player kinds, a one-second computer
# pause and no sound.
write_settings() {
    printf '[Configuration]\r\nJoueur Jaune=%s\r\nJoueur Vert=%s\r\nJoueur Bleu=%s\r\nJoueur Rouge=%s\r\nTemporisation=1\r\nSon=0\r\n' \
        "$@" >"$RUN/bramidou.ini"
}

GAME_PID=
# start_game [WRAPPER...]: starts the game through the probe; sets STARTUP_MS and GAME_PID.
start_game() {
    local line
    # The game inherits the probe's output: a file, not a pipe that would stay open.
    (cd "$RUN" && "$PROBE" "$@" ./bramidou >"$TMP/probe.out" 2>"$TMP/probe.err") ||
        { cat "$TMP/probe.err" >&2; exit 1; }
    line=$(grep -m1 "^startup_ms=" "$TMP/probe.out")
    STARTUP_MS=$(sed -n 's/.*startup_ms=\([0-9.]*\).*/\1/p' <<<"$line")
    GAME_PID=$(sed -n 's/.*pid=\([0-9]*\).*/\1/p' <<<"$line")
    PIDS+=("$GAME_PID")
}

stop_game() {
    # Under strace the probe started strace; the game is its child.
    pkill -TERM -P "$GAME_PID" 2>/dev/null || true
    kill "$GAME_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$GAME_PID" 2>/dev/null || true
}

new_game() {
    local win
    win=$(xdotool search --onlyvisible --name '^Les Bramidou$' | head -n 1)
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key n
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# --- start-up ---------------------------------------------------------------------------
write_settings 1 2 2 2
starts=()
for _ in 1 2 3; do
    start_game
    starts+=("$STARTUP_MS")
    stop_game
done
STARTUP=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 2p)

# --- idle CPU and peak memory: Jaune is a person and is to throw ---------------------------
start_game
sleep 1
new_game
sleep 2
hz=$(getconf CLK_TCK)
t0=$(cpu_ticks "$GAME_PID")
sleep "$IDLE_SECONDS"
t1=$(cpu_ticks "$GAME_PID")
IDLE=$(awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$IDLE_SECONDS" 'BEGIN { printf "%.2f", 100 * d / hz / s }')
HWM=$(awk '/^VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$GAME_PID/status")
stop_game

# --- six-square walk: four computers, their sleeps traced ------------------------------------
WALK="n/a (strace is not installed)"
if command -v strace >/dev/null; then
    write_settings 2 2 2 2
    # Only the sleep calls stop the game (seccomp filter), so tracing costs the walk nothing
    # measurable.
    start_game strace -f --seccomp-bpf -e trace=nanosleep,clock_nanosleep -ttt -T -o "$TMP/sleeps.txt"
    sleep 1
    new_game
    sleep "$WALK_SECONDS"
    stop_game
    WALK=$(awk -f "$(dirname "$0")/six_square_walks.awk" "$TMP/sleeps.txt")
fi

# --- a settings file of 16 MiB of short lines: start-up, then Q to the end of the process ---
yes x | head -c $((16 * 1024 * 1024 - 1024)) >"$RUN/bramidou.ini" || true # yes ends on a broken pipe
start_game
sleep 1
win=$(xdotool search --onlyvisible --name '^Les Bramidou$' | head -n 1)
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
q0=$(date +%s%N)
xdotool key q
for _ in $(seq 1000); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.01; done
q1=$(date +%s%N)
LARGE_STARTUP=$STARTUP_MS
LARGE_QUIT=$(((q1 - q0) / 1000000))
stop_game

echo "start-up to main window mapped: ${STARTUP} ms (starts: ${starts[*]} ms)"
echo "idle CPU while a human is to throw: ${IDLE} % of one core over ${IDLE_SECONDS} s"
echo "peak resident memory (VmHWM) at the 1024 artwork (screen $SCREEN, scale ${QT_SCALE_FACTOR:-1}): ${HWM} MiB"
echo "six-square walk without sound: ${WALK}"
echo "16 MiB settings file of short lines: start-up ${LARGE_STARTUP} ms, Q to exit ${LARGE_QUIT} ms"
