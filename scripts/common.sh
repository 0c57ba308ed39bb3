# Sourced by the scripts: the project root, the build folder and a virtual display.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC2034 # used by the scripts that source this file
build=${NUPERAKO_BUILD_DIR:-$root/build}

# Processes to end and folders to remove when the script exits.
background_pids=()
temporary_dirs=()
cleanup() {
    for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for dir in "${temporary_dirs[@]}"; do rm -rf "$dir"; done
}
trap cleanup EXIT

# Starts Xvfb on a free display of the given size (WIDTHxHEIGHTxDEPTH), waits
# until it answers and exports DISPLAY.
start_xvfb() {
    local display=:$((100 + RANDOM % 400))
    Xvfb "$display" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
    background_pids+=($!)
    for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
    export DISPLAY=$display
}
