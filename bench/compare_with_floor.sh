#!/usr/bin/env bash
# Times `dwelvane-cli dialogue` and `dwelvane-cli stats` against the read floor (bench/floor.c:
# walk the tree, open, read and close every script, nothing else), alternating runs on a
# warm cache, and reports the medians of CPU time (user + system) and wall time, and the
# ratios to the floor.
# usage: bench/compare_with_floor.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/side_by_side.sh" "$@"
floor="$build/bench/read_floor"
cpu_time="$build/bench/cpu_time"

"$maker" "$project" 20000 100 5
echo "project: $(find "$project" -name '*.script' | wc -l) scripts, $(du -sh "$project" | cut -f1)"

run_floor() { "$floor" "$project"; }
run_dialogue() { "$cli" dialogue --output "$project.csv" "$project"; }
run_stats() { "$cli" stats --output "$project.txt" "$project"; }

# Prints "CPU WALL" in seconds for one run of a function.
cpu_and_wall() {
  "$cpu_time" bash -c "$(declare -f "$1"); floor='$floor' cli='$cli' project='$project' $1" |
    cut -d' ' -f1,2
}

compare_with_floor() {
  local label=$1 command=$2 floor_cpu=() floor_wall=() cpu=() wall=() line
  run_floor >/dev/null; "$command" >/dev/null   # warm the page cache
  for _ in $(seq "$runs"); do
    read -r -a line <<<"$(cpu_and_wall run_floor)"; floor_cpu+=("${line[0]}"); floor_wall+=("${line[1]}")
    read -r -a line <<<"$(cpu_and_wall "$command")"; cpu+=("${line[0]}"); wall+=("${line[1]}")
  done
  local fc fw c w
  fc=$(printf '%s\n' "${floor_cpu[@]}" | median); fw=$(printf '%s\n' "${floor_wall[@]}" | median)
  c=$(printf '%s\n' "${cpu[@]}" | median); w=$(printf '%s\n' "${wall[@]}" | median)
  printf '%s: CPU %.3f s vs floor %.3f s (%.2fx)   wall %.3f s vs floor %.3f s (%.2fx)\n' \
    "$label" "$c" "$fc" "$(echo "$c / $fc" | bc -l)" "$w" "$fw" "$(echo "$w / $fw" | bc -l)"
}

echo "floor: $(run_floor)"
compare_with_floor "dwelvane-cli dialogue" run_dialogue
compare_with_floor "dwelvane-cli stats" run_stats
rm -f "$project.csv" "$project.txt"
