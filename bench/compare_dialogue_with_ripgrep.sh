#!/usr/bin/env bash
# Times `dwelvane-cli dialogue` against single-threaded ripgrep searching the same scripts
# for the two talk keywords, alternating runs on a warm cache, and reports the medians and
# the peak memory of the dialogue command.
# usage: bench/compare_dialogue_with_ripgrep.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/side_by_side.sh" "$@"

"$maker" "$project" 20000 100 5
echo "project: $(find "$project" -name '*.script' | wc -l) scripts," \
  "$(cat "$project"/scenes/*/*/scr/*.script | wc -l) lines," \
  "$(du -sh "$project" | cut -f1)"

run_rg() { rg -j1 -n -F -e '.Talk(' -e '.TalkAsync(' --no-ignore --hidden -g '*.script' "$project"; }
run_dwelvane() { "$cli" dialogue --output "$project.csv" "$project"; }

echo "talk lines: ripgrep $(run_rg | wc -l), dwelvane $(run_dwelvane; wc -l < "$project.csv")"
compare_side_by_side "$runs" "ripgrep -j1" run_rg "dwelvane-cli dialogue" run_dwelvane
/usr/bin/time -f 'dwelvane-cli dialogue peak memory: %M KiB' "$cli" dialogue --output "$project.csv" "$project"
rm -f "$project.csv"
