#!/usr/bin/env bash
# Fault sweep: runs five vlam commands once as they are, lists every host
# function the module calls during each (from --trace), then runs each command
# again once per function with that function's first call failing, and once
# with its last call failing (--fail-call). A run behaves when:
#   - nothing crashed or hung and no sanitizer reported anything (this is
#     meant for the address and undefined-behaviour sanitizer build, whose
#     leak checker runs at exit);
#   - it either failed (exit 1) with a "vlam:" line or an effect's message
#     naming what failed, or succeeded with the same result as the run
#     without the fault;
#   - the scene file it writes is untouched or fully saved, the picture it
#     renders is absent or complete, the settings file is the old one or the
#     new one, and no temporary file is left behind.
# Prints the runs and the runs that behaved per command; exits 1 if any run
# misbehaved (each is listed with the folder holding its output).
#
#   scripts/fault-sweep.sh [BUILD_DIR]   (default build-asan; JOBS=2 runs at once)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The runs themselves start this script again with --one (see below); they
# are told the build folder through the environment.
if [ "${1:-}" = --one ]; then
  build=$FAULT_SWEEP_BUILD
else
  build=$(cd "${1:-$root/build-asan}" && pwd) || exit 2
  export FAULT_SWEEP_BUILD=$build
fi
vlam=$build/bin/vlam
module=$build/bin/Vlam.aex
jobs=${JOBS:-2}
commands=(apply press click save render)

export ASAN_OPTIONS=${ASAN_OPTIONS:-exitcode=86:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-exitcode=86:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}

# What each command reads and writes. prepare_X DIR puts the inputs in DIR;
# args_X prints the command's arguments, one a line; product_X names the
# files the command writes (compared with the run without a fault).
prepare_apply() { cp "$fixtures/empty.json" "$1/scene.json"; }
args_apply() { printf '%s\n' apply scene.json --layer Plate --effect zk_Vlam; }
product_apply() { echo scene.json; }

prepare_press() { cp "$fixtures/stack.json" "$1/scene.json"; }
args_press() { printf '%s\n' press scene.json --layer Plate --effect 2 --param "Add Keyframes" --frame 10; }
product_press() { echo scene.json; }

prepare_click() { cp "$fixtures/ui-demo.json" "$1/scene.json"; }
args_click() { printf '%s\n' click scene.json --layer Plate --effect 1 --param "Petal Configuration" --at 210,330; }
product_click() { echo scene.json; }

# Opens a scene with all five effects and saves it (a value set to what it is).
prepare_save() { cp "$fixtures/all.json" "$1/scene.json"; }
args_save() { printf '%s\n' set scene.json --layer Plate --effect zk_VlamRelighter --param "Relight Gain" --value 100; }
product_save() { echo scene.json; }

prepare_render() { :; }
args_render() { printf '%s\n' render -o frame.png --frames 17 --downsample 4 --threads 2; }
product_render() { echo frame.png; }

# Runs one command in a fresh folder: run CMD LABEL [VLAM OPTIONS...]
run() {
  local cmd=$1 label=$2
  shift 2
  local dir=$work/$cmd/$label
  rm -rf "$dir" && mkdir -p "$dir"
  "prepare_$cmd" "$dir"
  cp "$fixtures/settings.json" "$dir/settings.json"
  mapfile -t args < <("args_$cmd")
  (cd "$dir" && timeout 600 "$vlam" --module "$module" --settings settings.json "$@" "${args[@]}" \
    >stdout 2>stderr </dev/null)
  echo $? >"$dir/rc"
}

same() { cmp -s "$1" "$2"; }

# Judges a finished run against the run without a fault; prints "ok" or what
# went wrong.
judge() {
  local cmd=$1 label=$2
  local dir=$work/$cmd/$label base=$work/$cmd/baseline rc
  rc=$(cat "$dir/rc")
  if grep -qE "Sanitizer|runtime error:" "$dir/stderr"; then echo "sanitizer report"; return; fi
  case $rc in
  0 | 1) ;;
  124) echo "hung"; return ;;
  *) echo "exit $rc (crash or sanitizer)"; return ;;
  esac
  local product
  for product in $("product_$cmd"); do
    if [ "$rc" = 0 ]; then
      same "$dir/$product" "$base/$product" || { echo "succeeded but $product differs from the run without the fault"; return; }
    elif [ -e "$dir/$product" ]; then
      local input=$work/$cmd/input/$product
      if ! same "$dir/$product" "$base/$product" && ! { [ -e "$input" ] && same "$dir/$product" "$input"; }; then
        echo "failed and left $product neither untouched nor complete"
        return
      fi
    fi
  done
  if ! same "$dir/settings.json" "$fixtures/settings.json" && ! same "$dir/settings.json" "$base/settings.json"; then
    echo "settings file neither the old one nor the new one"
    return
  fi
  if [ -n "$(find "$dir" -name '*.tmp*' -print -quit)" ]; then echo "temporary file left behind"; return; fi
  if [ "$rc" = 1 ]; then
    # The failure must be named: the tool's own line, or an effect's message
    # with its error, as the user sees them.
    grep -qE "^vlam: .+|^[^:]+: .*\(error -?[0-9]+" "$dir/stderr" || { echo "failed without saying what failed"; return; }
  fi
  echo ok
}

# One faulty run (called through xargs): CMD FUNCTION N
one() {
  local cmd=$1 fn=$2 n=$3 verdict
  run "$cmd" "$fn-$n" --fail-call "$fn:$n"
  verdict=$(judge "$cmd" "$fn-$n")
  printf '%s\t%s:%s\t%s\n' "$cmd" "$fn" "$n" "$verdict"
  # A run that behaved leaves nothing to look at.
  [ "$verdict" = ok ] && rm -rf "${work:?}/$cmd/$fn-$n"
  return 0
}

if [ "${1:-}" = --one ]; then
  work=$2 fixtures=$2/fixtures
  shift 2
  one "$@"
  exit 0
fi

[ -x "$vlam" ] || { echo "fault-sweep: $vlam is missing (build $build first)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/vlam-faults.XXXXXX")
fixtures=$work/fixtures
started=$(date +%s)
mkdir -p "$fixtures"

# Fixtures, made with the same tool: the settings file every run starts
# from, the module stack on the empty scene, and that with the Relighter too.
cp "$root/scenes/empty.json" "$root/scenes/ui-demo.json" "$root/scenes/plate.png" "$fixtures/"
fixture() { (cd "$fixtures" && "$vlam" --module "$module" --settings settings.json "$@" >/dev/null 2>fixture.err) ||
  { echo "fault-sweep: making a fixture failed: vlam $*" >&2; cat "$fixtures/fixture.err" >&2; rm -rf "$work"; exit 2; }; }
fixture presets
fixture apply empty.json --layer Plate --effect zk_Vlam -o stack.json
fixture apply stack.json --layer Plate --effect zk_VlamRelighter -o all.json
cp "$fixtures/plate.png" "$fixtures/plate.png.keep"

declare -A plan
for cmd in "${commands[@]}"; do
  mkdir -p "$work/$cmd/input"
  "prepare_$cmd" "$work/$cmd/input"
  run "$cmd" baseline --trace
  if [ "$(cat "$work/$cmd/baseline/rc")" != 0 ]; then
    echo "fault-sweep: $cmd fails without a fault:" >&2
    grep -v '^trace: ' "$work/$cmd/baseline/stderr" >&2
    rm -rf "$work"
    exit 2
  fi
  # Host functions are the trace lines that hold one name; the rest are notes.
  grep -E '^trace: [A-Za-z_][A-Za-z0-9_]*( -> injected error -?[0-9]+)?$' "$work/$cmd/baseline/stderr" |
    awk '{print $2}' | sort | uniq -c | awk '{print $2, $1}' >"$work/$cmd/functions"
  plan[$cmd]=$(wc -l <"$work/$cmd/functions")
  echo "$cmd: the module calls ${plan[$cmd]} host functions ($(awk '{s += $2} END {print s}' "$work/$cmd/functions") calls)"
done

for cmd in "${commands[@]}"; do
  while read -r fn count; do
    echo "$cmd $fn 1"
    [ "$count" -gt 1 ] && echo "$cmd $fn $count"
  done <"$work/$cmd/functions"
done | xargs -P "$jobs" -L 1 bash "$0" --one "$work" >"$work/results"

status=0
for cmd in "${commands[@]}"; do
  runs=$(awk -F'\t' -v c="$cmd" '$1 == c' "$work/results" | wc -l)
  good=$(awk -F'\t' -v c="$cmd" '$1 == c && $3 == "ok"' "$work/results" | wc -l)
  echo "$cmd: $runs runs, $good behaved"
  [ "$runs" = "$good" ] || status=1
done
if [ "$status" != 0 ]; then
  echo "runs that misbehaved (their output is kept under $work):"
  awk -F'\t' '$3 != "ok" {print "  " $1 " --fail-call " $2 ": " $3}' "$work/results"
else
  rm -rf "$work"
fi
echo "fault sweep: $(($(date +%s) - started)) s"
exit $status
