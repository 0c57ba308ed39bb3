#!/usr/bin/env bash
# Cold start to first paint and peak RSS: the board against a minimal Qt Widgets
# window, each started RUNS times (default 20) on the X display $DISPLAY.
# Prints the median of each. Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

measure() {
    local program=$1
    for ((i = 0; i < runs; i++)); do
        "$program" "$(date +%s%N)"
    done >"$tmp"
    local m=$(((runs + 1) / 2))
    printf '%-16s median %s ms to first paint, median peak RSS %s MiB (%d runs)\n' "$(basename "$program")" \
        "$(sort -n -k1,1 "$tmp" | sed -n "${m}p" | cut -d' ' -f1)" \
        "$(sort -n -k3,3 "$tmp" | sed -n "${m}p" | cut -d' ' -f3)" "$runs"
}

measure "$build/bin/startup_minimal"
measure "$build/bin/startup_board"
