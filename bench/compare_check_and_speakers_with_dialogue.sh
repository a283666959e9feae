#!/usr/bin/env bash
# Times `dwelvane-cli check` and `dwelvane-cli speakers` against the dialogue command on the
# same synthetic project, alternating runs on a warm cache; both read the same talk lines,
# so each should cost about what the table costs.
# usage: bench/compare_check_and_speakers_with_dialogue.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/side_by_side.sh" "$@"

"$maker" "$project" 20000 100 5
echo "project: $(find "$project" -name '*.script' | wc -l) scripts," \
  "$(du -sh "$project" | cut -f1)"

run_dialogue() { "$cli" dialogue --output "$project.csv" "$project"; }
run_check() { "$cli" check "$project" 2>/dev/null || [ $? -eq 3 ]; }
run_speakers() { "$cli" speakers "$project"; }

echo "findings: $(run_check | wc -l), speakers: $(($(run_speakers | wc -l) - 2))"
compare_side_by_side "$runs" "dwelvane-cli dialogue" run_dialogue "dwelvane-cli check" run_check
compare_side_by_side "$runs" "dwelvane-cli dialogue" run_dialogue "dwelvane-cli speakers" \
  run_speakers
rm -f "$project.csv"
