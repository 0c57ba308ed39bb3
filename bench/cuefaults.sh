#!/usr/bin/env bash
# Reset, help and exit with the sound files present, removed, and replaced by
# garbage, and without the sound plugin, each on the X display $DISPLAY. Usage: bench/cuefaults.sh BUILD_DIR
set -euo pipefail
build=${1:?build directory}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    local name=$1
    mkdir -p "$work/$name"
    cp "$build/bin/bench_cuefaults" "$work/$name/"
    [[ $name == no-plugin ]] || cp "$build/bin/nuperako-sound.so" "$work/$name/"
    case $name in
    present | no-plugin) cp "$build/bin/mypinpon.wav" "$build/bin/endpinpon.wav" "$work/$name/" ;;
    removed) ;;
    garbage) head -c 20000 /dev/urandom >"$work/$name/mypinpon.wav"
             head -c 20000 /dev/urandom >"$work/$name/endpinpon.wav" ;;
    esac
    printf '%-9s ' "$name"
    "$work/$name/bench_cuefaults" 2>/dev/null
}

run present
run removed
run garbage
run no-plugin
