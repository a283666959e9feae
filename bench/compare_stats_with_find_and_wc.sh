#!/usr/bin/env bash
# Times `dwelvane-cli stats` against counting the same project's files with find and
# reading every script into wc, alternating runs on a warm cache; reports the medians and
# the peak memory of the statistics command.
# usage: bench/compare_stats_with_find_and_wc.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/side_by_side.sh" "$@"

"$maker" "$project" 20000 100 5 20000
echo "project: $(find "$project" -type f | wc -l) files, $(du -sh "$project" | cut -f1)"

run_find_wc() {
  find "$project" -type f | wc -l
  find "$project" -type f \( -iname '*.script' -o -iname '*.inc' \) -print0 | xargs -0 cat | wc -lc
}
run_dwelvane() { "$cli" stats --output "$project.txt" "$project"; }

compare_side_by_side "$runs" "find | wc -l, cat | wc -lc" run_find_wc "dwelvane-cli stats" \
  run_dwelvane
/usr/bin/time -f 'dwelvane-cli stats peak memory: %M KiB' "$cli" stats --output "$project.txt" "$project"
rm -f "$project.txt"
