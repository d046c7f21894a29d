#!/usr/bin/env bash
# Runs every fuzz target in the given folder for a short while, starting from its seed corpus.
set -euo pipefail
dir="$1"
seconds="${FUZZ_SECONDS:-20}"
shopt -s nullglob
for fuzzer in "$dir"/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name="$(basename "$fuzzer")"
    corpus="$(mktemp -d)"
    seeds="fuzz/corpus/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "-- $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -5
    rm -rf "$corpus"
done
