#!/usr/bin/env bash
# Times `dwelvane-cli stats` against counting the same project's files with find and
# reading every script into wc, alternating runs on a warm cache; reports the medians and
# the peak memory of the statistics command.
# usage: bench/compare_stats_with_find_and_wc.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build/bench}
runs=${2:-5}
cli="$build/src/dwelvane-cli"
maker="$build/bench/make_synthetic_project"
project=$(mktemp -d "${TMPDIR:-/tmp}/dwelvane-bench-XXXXXX")
trap 'rm -rf "$project"' EXIT

"$maker" "$project" 20000 100 5 20000
echo "project: $(find "$project" -type f | wc -l) files, $(du -sh "$project" | cut -f1)"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc -l; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

run_find_wc() {
  find "$project" -type f | wc -l
  find "$project" -type f \( -iname '*.script' -o -iname '*.inc' \) -print0 | xargs -0 cat | wc -lc
}
run_dwelvane() { "$cli" stats --output "$project.txt" "$project"; }

run_find_wc >/dev/null; run_dwelvane   # warm the page cache
base_times=(); dw_times=()
for _ in $(seq "$runs"); do
  base_times+=("$(seconds run_find_wc)")
  dw_times+=("$(seconds run_dwelvane)")
done
base_median=$(printf '%s\n' "${base_times[@]}" | median)
dw_median=$(printf '%s\n' "${dw_times[@]}" | median)
printf 'find | wc -l, cat | wc -lc: %.3f s   dwelvane-cli stats: %.3f s   ratio: %.2f\n' \
  "$base_median" "$dw_median" "$(echo "$dw_median / $base_median" | bc -l)"
/usr/bin/time -f 'dwelvane-cli stats peak memory: %M KiB' "$cli" stats --output "$project.txt" "$project"
rm -f "$project.txt"
