# A private PulseAudio daemon for one test: a null sink "bramidou_null" whose monitor a
# test can record, reached through PULSE_SERVER. Source this file, then call pulse_start.
# Nothing is started globally; the daemon dies with the test (EXIT trap, or lib.sh's
# cleanup when that is loaded too).

PULSE_SINK=bramidou_null
PULSE_PID=

# pulse_start: starts the daemon, waits until it answers, exports PULSE_SERVER.
pulse_start() {
    command -v pulseaudio >/dev/null || { echo "pulse: pulseaudio is not installed" >&2; return 1; }
    # Inside the e2e folder when lib.sh made one, so its cleanup takes this too.
    PULSE_DIR=$(mktemp -d "${E2E_TMP:-/tmp}/bramidou-pulse.XXXXXX")
    chmod 700 "$PULSE_DIR"
    mkdir -p "$PULSE_DIR/runtime" "$PULSE_DIR/home"
    # Tests run as root: a per-user daemon still works when its runtime and home folders
    # are private, and anonymous authentication spares the cookie dance.
    HOME=$PULSE_DIR/home XDG_RUNTIME_DIR=$PULSE_DIR/runtime \
        PULSE_RUNTIME_PATH=$PULSE_DIR/runtime DBUS_SESSION_BUS_ADDRESS=disabled: \
        pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --system=false \
        --disallow-exit --log-target=stderr \
        "--load=module-null-sink sink_name=$PULSE_SINK" \
        "--load=module-native-protocol-unix auth-anonymous=1 socket=$PULSE_DIR/native" \
        >"$PULSE_DIR/daemon.log" 2>&1 &
    PULSE_PID=$!
    if declare -p E2E_PIDS >/dev/null 2>&1; then
        E2E_PIDS+=("$PULSE_PID")
    else
        trap pulse_stop EXIT
    fi
    export PULSE_SERVER=unix:$PULSE_DIR/native
    local deadline=$((SECONDS + 10))
    until pactl info >/dev/null 2>&1; do
        if ! kill -0 "$PULSE_PID" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "pulse: the daemon did not answer; its log:" >&2
            cat "$PULSE_DIR/daemon.log" >&2
            return 1
        fi
        sleep 0.1
    done
}

pulse_stop() {
    if [ -n "${PULSE_PID:-}" ]; then
        kill "$PULSE_PID" 2>/dev/null || true
        wait "$PULSE_PID" 2>/dev/null || true
        PULSE_PID=
    fi
    [ -n "${PULSE_DIR:-}" ] && rm -rf "$PULSE_DIR"
    return 0
}

# pulse_record FILE: records the null sink's monitor as raw 16-bit mono 44.1 kHz in the
# background; PULSE_REC_PID is set. Stop it with pulse_record_stop.
pulse_record() {
    parec -d "$PULSE_SINK.monitor" --format=s16le --rate=44100 --channels=1 --raw \
        --latency-msec=20 >"$1" 2>"$PULSE_DIR/parec.log" &
    PULSE_REC_PID=$!
    if declare -p E2E_PIDS >/dev/null 2>&1; then E2E_PIDS+=("$PULSE_REC_PID"); fi
    # The monitor stream is only there once parec has connected.
    local deadline=$((SECONDS + 5))
    until pactl list short source-outputs 2>/dev/null | grep -q .; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

pulse_record_stop() {
    # A moment for the last samples to reach the file before parec is told to stop.
    sleep 0.3
    kill -INT "$PULSE_REC_PID" 2>/dev/null || true
    wait "$PULSE_REC_PID" 2>/dev/null || true
}

# pulse_peak FILE: the largest amplitude (0..1) in a recording so far.
pulse_peak() {
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$1" -n stat 2>&1 |
        awk '/^Maximum amplitude/ {print $3}'
}

# pulse_wait_sound FILE SECONDS: polls the recording until something louder than a
# whisper is in it; PULSE_PEAK holds the last peak read. Fails when the time runs out.
pulse_wait_sound() {
    local deadline=$((SECONDS + $2))
    while :; do
        PULSE_PEAK=$(pulse_peak "$1")
        awk -v p="${PULSE_PEAK:-0}" 'BEGIN { exit !(p > 0.05) }' && return 0
        [ $SECONDS -ge $deadline ] && return 1
        sleep 2
    done
}
