# Helpers to tell the tones of the test discs apart in a recording of the null sink
# (raw 16-bit mono, 44.1 kHz, as pulse_record makes it). Source this file.

# tone_of FILE: the rough frequency of the recording's last second, in Hz (0 for silence).
tone_of() {
    local peak
    peak=$(sox -t raw -r 44100 -e signed -b 16 -c 1 "$1" -n trim -1 stat 2>&1 |
        awk '/^Maximum amplitude/ {print $3}')
    if ! awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.05) }'; then
        echo 0
        return
    fi
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$1" -n trim -1 stat 2>&1 |
        awk '/^Rough +frequency/ {print $3}'
}

# tone_near HZ EXPECTED: true when HZ lies within 10 % of EXPECTED. The test tones lie
# further apart; a short gap in the recording of a loaded machine lowers the count a little.
tone_near() {
    awk -v f="${1:-0}" -v e="$2" 'BEGIN { exit !(f > e * 0.9 && f < e * 1.1) }'
}
