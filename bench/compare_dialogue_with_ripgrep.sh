#!/usr/bin/env bash
# Times `dwelvane-cli dialogue` against single-threaded ripgrep searching the same scripts
# for the two talk keywords, alternating runs on a warm cache, and reports the medians and
# the peak memory of the dialogue command.
# usage: bench/compare_dialogue_with_ripgrep.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build/bench}
runs=${2:-5}
cli="$build/src/dwelvane-cli"
maker="$build/bench/make_synthetic_project"
project=$(mktemp -d "${TMPDIR:-/tmp}/dwelvane-bench-XXXXXX")
trap 'rm -rf "$project"' EXIT

"$maker" "$project" 20000 100 5
echo "project: $(find "$project" -name '*.script' | wc -l) scripts," \
  "$(cat "$project"/scenes/*/*/scr/*.script | wc -l) lines," \
  "$(du -sh "$project" | cut -f1)"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc -l; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

run_rg() { rg -j1 -n -F -e '.Talk(' -e '.TalkAsync(' --no-ignore --hidden -g '*.script' "$project"; }
run_dwelvane() { "$cli" dialogue --output "$project.csv" "$project"; }

run_rg >/dev/null; run_dwelvane   # warm the page cache
rg_times=(); dw_times=()
for _ in $(seq "$runs"); do
  rg_times+=("$(seconds run_rg)")
  dw_times+=("$(seconds run_dwelvane)")
done
rg_median=$(printf '%s\n' "${rg_times[@]}" | median)
dw_median=$(printf '%s\n' "${dw_times[@]}" | median)
echo "talk lines: ripgrep $(run_rg | wc -l), dwelvane $(wc -l < "$project.csv")"
printf 'ripgrep -j1: %.3f s   dwelvane-cli dialogue: %.3f s   ratio: %.2f\n' \
  "$rg_median" "$dw_median" "$(echo "$dw_median / $rg_median" | bc -l)"
/usr/bin/time -f 'dwelvane-cli dialogue peak memory: %M KiB' "$cli" dialogue --output "$project.csv" "$project"
rm -f "$project.csv"
