#!/usr/bin/env bash
# Cold start to first paint and peak RSS: the board against a minimal Qt Widgets
# window, started RUNS times each (default 20), alternately, on the X display
# $DISPLAY. Prints the median of each. Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}
programs=(startup_minimal startup_board)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for ((i = 0; i < runs; i++)); do
    for program in "${programs[@]}"; do
        "$build/bin/$program" "$(date +%s%N)" >>"$tmp/$program" 2>/dev/null
    done
done

m=$(((runs + 1) / 2))
for program in "${programs[@]}"; do
    printf '%-16s median %s ms to first paint, median peak RSS %s MiB (%d runs)\n' "$program" \
        "$(sort -n -k1,1 "$tmp/$program" | sed -n "${m}p" | cut -d' ' -f1)" \
        "$(sort -n -k3,3 "$tmp/$program" | sed -n "${m}p" | cut -d' ' -f3)" "$runs"
done
