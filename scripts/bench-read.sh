#!/bin/bash
# Times reading stored entries as a user meets it: whole `horaluxctl entries list` processes over
# twenty years of history (about 100,000 entries), one year and one day, each alternating with
# `timew export` of the same intervals in Timewarrior's own data files, and prints the median
# times and the peak memories of both.
#
#   scripts/bench-read.sh [RUNS]
#
# RUNS (default 7): runs of each command, taken in turns. The data is written once into
# $HORALUX_BENCH_DIR (default: a temporary folder removed at the end); Timewarrior reads it
# through TIMEWARRIORDB and never sees the user's own data. The release build of the two
# programs is made when they are missing ($HORALUX_BUILD_DIR, default build/release).
set -euo pipefail

runs=${1:-7}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HORALUX_BUILD_DIR:-$root/build/release}
ctl=$build/tools/horaluxctl/horaluxctl
maker=$build/bench/make_bench_history

for tool in timew /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench-read: $tool is needed (Debian: timewarrior, time)" >&2; exit 1; }
done
if [ ! -x "$ctl" ] || [ ! -x "$maker" ]; then
    (cd "$root" && cmake --preset release >/dev/null &&
        cmake --build --preset release -j2 --target horaluxctl make_bench_history)
fi

if [ -n "${HORALUX_BENCH_DIR:-}" ]; then
    data=$HORALUX_BENCH_DIR
    mkdir -p "$data"
else
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
storage=$data/history
export TIMEWARRIORDB=$data/timewarrior
# Neither program may touch the user's own settings or data.
export HOME=$data/home XDG_CONFIG_HOME=$data/home/.config XDG_DATA_HOME=$data/home/.local/share
mkdir -p "$HOME"
if [ ! -e "$storage/cdroot.hx" ] || [ ! -d "$TIMEWARRIORDB/data" ]; then
    echo "Writing twenty years of history into $data (once; this takes a while) ..."
    "$maker" --storage "$storage" --timewarrior "$TIMEWARRIORDB"
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# run NAME COMMAND...: one timed run; appends the milliseconds to $data/NAME.ms
run() {
    local name=$1
    shift
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    local end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }' >>"$data/$name.ms"
}

# peak NAME COMMAND...: the peak memory of one run in MiB
peak() {
    shift
    /usr/bin/time -f %M -o "$data/peak.kb" "$@" >/dev/null
    awk '{ printf "%.1f", $1 / 1024 }' "$data/peak.kb"
}

compare() {
    local label=$1 from=$2 to=$3 timewRange=$4
    local horalux=(env LANG=C.UTF-8 "$ctl" entries list --from "$from" --to "$to" --storage "$storage")
    local timew=(timew export)
    [ -n "$timewRange" ] && timew+=($timewRange)
    rm -f "$data/horalux.ms" "$data/timew.ms"
    "${horalux[@]}" >/dev/null && "${timew[@]}" >/dev/null # warm the page cache
    for ((i = 0; i < runs; i++)); do
        run horalux "${horalux[@]}"
        run timew "${timew[@]}"
    done
    local h t
    h=$(median <"$data/horalux.ms")
    t=$(median <"$data/timew.ms")
    printf '%-10s %9s ms %9s MiB   %9s ms %9s MiB   %6s\n' "$label" "$h" "$(peak horalux "${horalux[@]}")" "$t" \
        "$(peak timew "${timew[@]}")" "$(awk -v h="$h" -v t="$t" 'BEGIN { printf "%.2f", h / t }')"
    printf '%-10s %s lines against %s intervals\n' "" "$("${horalux[@]}" | wc -l)" \
        "$("${timew[@]}" | grep -c '"start"' || true)"
}

echo "Median of $runs runs each, taken in turns; peak memory of one more run."
printf '%-10s %12s %13s   %12s %13s   %6s\n' "" "horaluxctl" "peak" "timew" "peak" "ratio"
compare "20 years" 2006-01-01 2025-12-31 ""
compare "one year" 2024-01-01 2024-12-31 "2024-01-01 - 2025-01-01"
compare "one day" 2024-06-12 2024-06-12 "2024-06-12 - 2024-06-13"
