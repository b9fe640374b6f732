#!/usr/bin/env bash
# Runs one libFuzzer target of build-fuzz/ (`make fuzz`) for a number of
# inputs, as one low-priority process, and prints the run count libFuzzer
# reports at the end. New inputs collect in build-fuzz/corpus/TARGET; with
# --keep they are merged, smallest first, into the kept corpus
# tests/fuzz/corpus/TARGET afterwards.
#
#   scripts/fuzz.sh TARGET RUNS [--keep] [extra libFuzzer flags]
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?target (shape_curve_text, shape_curve_unflatten, host_scene, host_shape_curve_text)}
runs=${2:?number of inputs}
shift 2
keep=0
if [ "${1:-}" = "--keep" ]; then
  keep=1
  shift
fi
binary=build-fuzz/bin/$target
kept=tests/fuzz/corpus/$target
work=build-fuzz/corpus/$target
[ -x "$binary" ] || { echo "fuzz.sh: $binary is missing: run make fuzz" >&2; exit 1; }
mkdir -p "$work" build-fuzz/findings
shape=()
if [ "$target" = host_scene ]; then
  shape=(-max_len=10240 -timeout=10 -dict=tests/fuzz/host_scene.dict)
fi
log=build-fuzz/$target-$(date +%Y%m%d-%H%M%S).log
# One fuzzing process (libFuzzer's -jobs/-workers would start it as a child
# writing to a log of its own), at the lowest priority.
status=0
nice -n 19 "$binary" -runs="$runs" -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$target"- \
  "${shape[@]}" "$@" "$work" "$kept" >"$log" 2>&1 || status=$?
grep -E "^(#[0-9]+ *(INITED|DONE)|Done|==|SUMMARY|stat::number_of_executed_units)" "$log" || true
if [ "$keep" = 1 ] && [ "$status" = 0 ]; then
  # Only inputs that reach a new edge are kept (not those that only reach one
  # more often), which keeps the kept corpus small.
  nice -n 19 "$binary" -merge=1 -use_counters=0 "${shape[@]}" "$kept" "$work" >>"$log" 2>&1
fi
exit "$status"
