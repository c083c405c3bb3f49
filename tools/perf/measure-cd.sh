#!/usr/bin/env bash
# Prints the CD player's figures of the README, measured on the real game under a private
# Xvfb at 1024x768 with a private sound server (null sink) and a disc image of three
# one-minute tracks made with sox:
#   shown, stopped   share of one core of the whole game over 30 s, player shown, disc stopped
#   playing          share of one core of the playback thread and of the whole game, 30 s
#   walk             six-square walks of a four-computer game while the disc plays
# Usage: tools/perf/measure-cd.sh [BUILD_DIR]   (default: build). Asserts nothing.
set -euo pipefail

SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(realpath "${1:-build}")
GAME_DIR=$BUILD/bin
SECONDS_EACH=${BRAMIDOU_CD_SECONDS:-30}
WALK_SECONDS=${BRAMIDOU_WALK_SECONDS:-240}
[ -x "$GAME_DIR/bramidou" ] || { echo "measure-cd: no $GAME_DIR/bramidou; build the game first" >&2; exit 1; }

TMP=$(mktemp -d /tmp/bramidou-perf-cd.XXXXXX)
E2E_TMP=$TMP
PIDS=()
source "$SRC/tests/e2e/pulse.sh"
cleanup() {
    local pid
    for pid in "${PIDS[@]:-}"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null || true; done
    pulse_stop
    [ -n "${BRAMIDOU_PERF_KEEP:-}" ] || rm -rf "$TMP"
}
trap cleanup EXIT

for n in $(seq 191 230); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$TMP/xvfb.log" 2>&1 &
PIDS+=($!)
export DISPLAY=":$n"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export XDG_RUNTIME_DIR=$TMP/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pulse_start
trap cleanup EXIT

"$SRC/tests/cdplayer/make_disc_image.sh" "$TMP" disc 60 440 660 990
export BRAMIDOU_CD_IMAGES=$TMP/disc.cue
RUN=$TMP/run
mkdir -p "$RUN"
cp -r "$GAME_DIR"/. "$RUN"/
hz=$(getconf CLK_TCK)

# start_game JAUNE VERT BLEU ROUGE [WRAPPER...]
GAME_PID=
start_game() {
    printf '[Configuration]\r\nJoueur Jaune=%s\r\nJoueur Vert=%s\r\nJoueur Bleu=%s\r\nJoueur Rouge=%s\r\nTemporisation=1\r\nSon=0\r\n' \
        "$1" "$2" "$3" "$4" >"$RUN/bramidou.ini"
    shift 4
    (cd "$RUN" && exec "$@" ./bramidou) >"$TMP/game.log" 2>&1 &
    GAME_PID=$!
    PIDS+=("$GAME_PID")
    for _ in $(seq 100); do
        [ -n "$(xdotool search --onlyvisible --name '^Les Bramidou$' 2>/dev/null)" ] && break
        sleep 0.1
    done
    sleep 0.5
    # Under strace the game is the tracer's child.
    local child
    child=$(pgrep -P "$GAME_PID" -x bramidou || true)
    [ -n "$child" ] && GAME_PID=$child
    true
}
stop_game() {
    kill "$GAME_PID" 2>/dev/null || true
    sleep 0.5
    kill -9 "$GAME_PID" 2>/dev/null || true
}
main_key() {
    local win
    win=$(xdotool search --onlyvisible --name '^Les Bramidou$' | head -n 1)
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key "$1"
}
cd_click() { # X Y of a button's top-left corner
    local win
    win=$(xdotool search --onlyvisible --name '^Fenetre CD$' | head -n 1)
    xdotool mousemove --window "$win" $(($1 + 22)) $(($2 + 15)) click 1
}
ticks() { awk '{print $14 + $15}' "$1"; }
share() { awk -v d=$(($2 - $1)) -v hz="$hz" -v s="$SECONDS_EACH" 'BEGIN { printf "%.2f", 100 * d / hz / s }'; }

# --- shown and stopped, then playing ------------------------------------------------------
start_game 1 2 2 2
main_key d
sleep 1
cd_click 53 144 # Arrêter: the refresh runs from the first click
sleep 2
t0=$(ticks "/proc/$GAME_PID/stat")
sleep "$SECONDS_EACH"
t1=$(ticks "/proc/$GAME_PID/stat")
STOPPED=$(share "$t0" "$t1")

cd_click 53 109 # Lecture
sleep 2
thread=$(grep -l '^bramidou-cd$' /proc/"$GAME_PID"/task/*/comm | head -n 1)
thread=${thread%/comm}
p0=$(ticks "/proc/$GAME_PID/stat")
c0=$(ticks "$thread/stat")
sleep "$SECONDS_EACH"
p1=$(ticks "/proc/$GAME_PID/stat")
c1=$(ticks "$thread/stat")
PLAYING_THREAD=$(share "$c0" "$c1")
PLAYING_GAME=$(share "$p0" "$p1")
stop_game

# --- walks of a computer game while the disc plays ---------------------------------------
WALK="n/a (strace is not installed)"
if command -v strace >/dev/null; then
    start_game 2 2 2 2 strace -f --seccomp-bpf -e trace=nanosleep,clock_nanosleep -ttt -T -o "$TMP/sleeps.txt"
    main_key d
    sleep 1
    cd_click 53 109
    sleep 1
    main_key n
    sleep "$WALK_SECONDS"
    stop_game
    WALK=$(awk -f "$(dirname "$0")/six_square_walks.awk" "$TMP/sleeps.txt")
fi

echo "player shown, disc stopped: ${STOPPED} % of one core (whole game, ${SECONDS_EACH} s)"
echo "disc playing: playback thread ${PLAYING_THREAD} %, whole game ${PLAYING_GAME} % of one core"
echo "six-square walk while the disc plays: ${WALK}"
