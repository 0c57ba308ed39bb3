#!/usr/bin/env bash
# Rounds per second of the batch tool on this machine: nuperako-batch --runs 10000
# --seed 1, with one thread per core and with one thread, best of RUNS (default 3).
# Usage: bench/batch.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-3}

measure() {
    local best=
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$build/bin/nuperako-batch" --runs 10000 --seed 1 "$@" >"$tmp" 2>/dev/null
        end=$(date +%s%N)
        local ns=$((end - start))
        [[ -z $best || $ns -lt $best ]] && best=$ns
    done
    # Every run's rounds add up to the three totals the summary prints.
    local rounds
    rounds=$(sed -n 's/^all runs: \([0-9]*\) draws, \([0-9]*\) single wins, \([0-9]*\) single losses.*/\1 \2 \3/p' "$tmp" |
        awk '{print $1 + $2 + $3}')
    awk -v r="$rounds" -v ns="$best" -v label="$1 $2" \
        'BEGIN { printf "%-12s %d rounds in %.3f s: %.1f million rounds per second\n", label, r, ns / 1e9, r / ns * 1e3 }'
}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
measure --threads "$(nproc)"
measure --threads 1
