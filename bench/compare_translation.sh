#!/usr/bin/env bash
# Times the dialogue command on 1,000,000 talk lines with and without the translation
# column, against a 1,000,000-line STRING.TAB, alternating runs, and reports the medians of
# CPU time (user + system) and peak memory of both.
# usage: bench/compare_translation.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/side_by_side.sh" "$@"

"$maker" "$project" 200000 10 5 0 1000000
echo "project: $(find "$project" -name '*.script' | wc -l) scripts," \
  "STRING.TAB $(wc -l < "$project/English/STRING.TAB") lines, $(du -sh "$project" | cut -f1)"

without="location,name,line,speaker,sentence,audio,reference"
# Prints "CPU PEAK_KIB" for one run with the given columns.
measure() {
  "$build/bench/cpu_time" "$cli" dialogue --columns "$1" --output "$project.csv" "$project" |
    cut -d' ' -f1,3
}

off_cpu=() off_memory=() on_cpu=() on_memory=()
measure "$without" >/dev/null
for _ in $(seq "$runs"); do
  read -r cpu memory <<<"$(measure "$without")"; off_cpu+=("$cpu"); off_memory+=("$memory")
  read -r cpu memory <<<"$(measure "$without,translate")"; on_cpu+=("$cpu"); on_memory+=("$memory")
done
echo "translated lines: $(grep -c '"A translated line' "$project.csv")"
oc=$(printf '%s\n' "${off_cpu[@]}" | median); om=$(printf '%s\n' "${off_memory[@]}" | median)
nc=$(printf '%s\n' "${on_cpu[@]}" | median); nm=$(printf '%s\n' "${on_memory[@]}" | median)
printf 'without translate: CPU %.3f s, peak %d MB\n' "$oc" $((om / 1024))
printf 'with translate:    CPU %.3f s, peak %d MB   (+%.3f s CPU, %.2fx peak)\n' "$nc" \
  $((nm / 1024)) "$(echo "$nc - $oc" | bc -l)" "$(echo "$nm / $om" | bc -l)"
rm -f "$project.csv"
