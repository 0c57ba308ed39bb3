#!/usr/bin/env bash
# Cold start to first paint, the whole process (start, first paint, quit) and
# peak RSS: the board against a minimal Qt Widgets window, started RUNS times
# each (default 20), alternately, on the X display $DISPLAY. Prints the median
# of each and the board's ratios. Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}
programs=(startup_minimal startup_board)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Each line: ms to first paint, "ms", peak MiB, "MiB", ms of the whole process.
for ((i = 0; i < runs; i++)); do
    for program in "${programs[@]}"; do
        start=$(date +%s%N)
        paint=$("$build/bin/$program" "$start" 2>/dev/null)
        end=$(date +%s%N)
        echo "$paint $(((end - start) / 1000))" | awk '{ printf "%s %s %s %s %.2f\n", $1, $2, $3, $4, $5 / 1000 }' \
            >>"$tmp/$program"
    done
done

median() { sort -n -k"$2,$2" "$tmp/$1" | sed -n "$(((runs + 1) / 2))p" | cut -d' ' -f"$2"; }
for program in "${programs[@]}"; do
    printf '%-16s median %s ms to first paint, %s ms start to quit, peak RSS %s MiB (%d runs)\n' "$program" \
        "$(median "$program" 1)" "$(median "$program" 5)" "$(median "$program" 3)" "$runs"
done
for column in 1:first-paint 5:whole-process 3:peak-RSS; do
    printf 'board/minimal %-14s %.3fx\n' "${column#*:}" \
        "$(awk -v a="$(median startup_board "${column%%:*}")" -v b="$(median startup_minimal "${column%%:*}")" \
            'BEGIN { print a / b }')"
done
