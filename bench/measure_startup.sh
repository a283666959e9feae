#!/usr/bin/env bash
# Starts the window under a virtual X server, as a new user would, and reports how long it
# took until the window was mapped; the settings go to a fresh temporary folder.
# usage: bench/measure_startup.sh [BUILD_DIR] [RUNS]    (needs Xvfb and xdotool)
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
home=$(mktemp -d "${TMPDIR:-/tmp}/dwelvane-start-XXXXXX")
trap 'rm -rf "$home"' EXIT
export DISPLAY=:97
Xvfb :97 -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$home"' EXIT
sleep 1
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  XDG_CONFIG_HOME="$home" XDG_RUNTIME_DIR="$home" "$build/src/dwelvane" &
  pid=$!
  # xdotool's own --sync waits half a second between looks; look more often.
  until xdotool search --onlyvisible --name '^Dwelvane V0\.1$' >/dev/null 2>&1; do
    sleep 0.005
  done
  end=$(date +%s%N)
  echo "window shown after $(( (end - start) / 1000000 )) ms"
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
