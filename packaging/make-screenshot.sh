#!/usr/bin/env bash
# make-screenshot.sh RUN_DIR OUT.png: the picture software centres show, taken from the
# real game on a 1024 x 768 screen while four computers play, silently.
set -euo pipefail
run_src=$1
out=$2
work=$(mktemp -d /tmp/bramidou-screenshot.XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/run" && cp -r "$run_src"/. "$work/run/"
printf '[Configuration]\r\nJoueur Jaune=2\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=2\r\nTemporisation=1\r\nSon=0\r\n' \
    >"$work/run/bramidou.ini"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$1/run" && ./bramidou &
    game=$!
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^Les Bramidou$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "make-screenshot: the game did not show" >&2; kill $game; exit 1; }
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key n
    # Long enough for several horses to be out on the track.
    sleep 45
    import -window root "$2"
    kill $game
    wait $game 2>/dev/null || true' _ "$work" "$out"
echo "make-screenshot: wrote $out"
