# Sourced by the comparison scripts with their arguments [BUILD_DIR] [RUNS]: sets the
# programs to run and a temporary project folder, and times two commands alternately on a
# warm cache, printing their medians and the ratio:
# compare_side_by_side RUNS BASELINE_LABEL BASELINE_FUNCTION DWELVANE_LABEL DWELVANE_FUNCTION

build=${1:-build/bench}
runs=${2:-5}
cli="$build/src/dwelvane-cli"
maker="$build/bench/make_synthetic_project"
project=$(mktemp -d "${TMPDIR:-/tmp}/dwelvane-bench-XXXXXX")
trap 'rm -rf "$project"' EXIT

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

compare_side_by_side() {
  local runs=$1 base_label=$2 base=$3 dw_label=$4 dw=$5 base_times=() dw_times=()
  "$base" >/dev/null; "$dw" >/dev/null   # warm the page cache
  for _ in $(seq "$runs"); do
    base_times+=("$(seconds "$base")")
    dw_times+=("$(seconds "$dw")")
  done
  local base_median dw_median
  base_median=$(printf '%s\n' "${base_times[@]}" | median)
  dw_median=$(printf '%s\n' "${dw_times[@]}" | median)
  printf '%s: %.3f s   %s: %.3f s   ratio: %.2f\n' "$base_label" "$base_median" "$dw_label" \
    "$dw_median" "$(echo "$dw_median / $base_median" | bc -l)"
}
