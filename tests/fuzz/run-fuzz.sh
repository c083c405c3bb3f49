#!/usr/bin/env bash
# Builds the readers of files a user may receive with libFuzzer (clang, address and
# undefined-behaviour sanitizers) and runs each target for a while. Any crash, leak,
# sanitizer report or timeout fails the run. FUZZ_SECONDS shortens or lengthens it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=${BRAMIDOU_SOURCE_DIR:-$(cd "$here/../.." && pwd)}
seconds=${FUZZ_SECONDS:-60}
targets=(ini ini_lines saved_game settings)

work=$(mktemp -d "${TMPDIR:-/tmp}/bramidou-fuzz-XXXXXX")
trap 'rm -rf "$work"' EXIT

flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=all -I"$root/settings" -I"$root/tests/settings")

# The library is built once, without libFuzzer's main, and linked into each target.
objects=()
for source in "$root"/settings/{IniDocument,IniFile,InstallLayout,SafeFile,SavedGame,SettingsFile,TemporaryFile,Windows1252,WriteTarget}.cpp; do
    object="$work/$(basename "$source" .cpp).o"
    clang++ "${flags[@]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}" -c "$source" -o "$object"
    objects+=("$object")
done

status=0
for target in "${targets[@]}"; do
    clang++ "${flags[@]}" "$here/${target}_fuzzer.cpp" "${objects[@]}" -o "$work/$target"
    mkdir -p "$work/corpus-$target"
    # New inputs go to the scratch corpus; the checked-in seeds are only read.
    if UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$work/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$target-" -print_final_stats=1 \
        "$work/corpus-$target" "$here/corpus/$target" >"$work/$target.log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
        echo "fuzz $target: ${runs:-?} executions in ${seconds} s, no fault"
    else
        echo "fuzz $target: FAILED" >&2
        tail -n 60 "$work/$target.log" >&2
        for artifact in "$work/$target"-*; do
            [ -e "$artifact" ] || continue
            echo "input that failed ($(basename "$artifact")):" >&2
            od -c "$artifact" | head -n 20 >&2
        done
        status=1
    fi
done
exit $status
