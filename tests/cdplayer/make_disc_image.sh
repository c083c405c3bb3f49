#!/usr/bin/env bash
# make_disc_image.sh FOLDER NAME SECONDS FREQUENCY...: writes FOLDER/NAME.bin and
# FOLDER/NAME.cue, a CD image of one audio track per frequency, each a steady sine tone of
# SECONDS seconds (a whole number, so every track is whole CD frames long).
set -euo pipefail
folder=$1 name=$2 seconds=$3
shift 3
bin=$folder/$name.bin
cue=$folder/$name.cue
: >"$bin"
printf 'FILE "%s.bin" BINARY\r\n' "$name" >"$cue"
track=1
for frequency in "$@"; do
    sox -n -r 44100 -c 2 -b 16 -e signed-integer -L -t raw - synth "$seconds" sine "$frequency" \
        vol 0.5 >>"$bin"
    start=$(((track - 1) * seconds))
    printf '  TRACK %02d AUDIO\r\n    INDEX 01 %02d:%02d:00\r\n' "$track" $((start / 60)) \
        $((start % 60)) >>"$cue"
    track=$((track + 1))
done
