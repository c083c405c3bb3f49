#!/usr/bin/env bash
# A horse walked by the real engine through the real sound output, recorded from a
# private null sink: every step is heard once, and without sound the steps are pauses.
# Usage: sound_walk.sh PATH/TO/sound_walk
set -euo pipefail

WALK=$(realpath "$1")
source "$(dirname "$0")/../e2e/pulse.sh"
pulse_start

WORK=$(mktemp -d /tmp/bramidou-walk.XXXXXX)
trap 'pulse_stop; rm -rf "$WORK"' EXIT
cd "$WORK"
# The engine opens its sounds by name from the current folder, as the game does.
"$WALK" click movehorse.wav
cp movehorse.wav killhorse.wav

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

field() { sed -n "s/.*\b$1=\([0-9-]*\).*/\1/p" <<<"$2"; }

# walk_case SOUND COLOUR FROM TO STEPS: records one walk and checks what was heard.
walk_case() {
    local sound=$1 colour=$2 from=$3 to=$4 steps=$5 report heard
    pulse_record "$WORK/rec.raw" || fail "parec did not connect"
    report=$("$WALK" walk "$sound" "$colour" "$from" "$to")
    pulse_record_stop
    heard=$("$WALK" onsets "$WORK/rec.raw")
    echo "walk $from->$to sound $sound: $report; recording: $heard"
    if [ "$sound" = on ]; then
        [ "$(field plays "$report")" = "$steps" ] || fail "$steps step sounds asked for"
        [ "$(field heard "$report")" = "$steps" ] || fail "every step sound played"
        [ "$(field paused_ms "$report")" = 0 ] || fail "no pause when sounds play"
        [ "$(field onsets "$heard")" = "$steps" ] || fail "$steps steps heard"
        # Synchronous playback: the walk cannot end before its sounds have been heard.
        [ "$(field wall_ms "$report")" -ge $((steps * 190)) ] || fail "the walk outran its sounds"
    else
        [ "$(field plays "$report")" = 0 ] || fail "no sound asked for"
        [ "$(field paused_ms "$report")" = $((steps * 400)) ] || fail "$steps pauses of 400 ms"
        [ "$(field onsets "$heard")" = 0 ] || fail "silence on the sink"
        [ "$(field wall_ms "$report")" -ge $((steps * 400)) ] || fail "the pauses were cut short"
    fi
}

walk_case on 1 5 8 3
walk_case off 1 5 8 3
# Vert from 54 over 55, 56 and round to 1 and 2.
walk_case on 2 54 2 4
echo "sound walk: all checks passed"
