#!/bin/sh
# Runs every fuzz target of the fuzz build (build/fuzz) for SECONDS each,
# from its stored corpus and regression inputs with the tag dictionary.
# New inputs go to build/fuzz/corpus/<target>, crashes, hangs and leaks to
# build/fuzz/artifacts/; any of them fails the run.  With --merge (make
# fuzz) the inputs that add coverage are merged into the stored corpus,
# fuzz/corpus/<target>, which every build replays as a test.
#   sh fuzz/run-fuzzers.sh [--merge] SECONDS [TARGET...]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
merge=false
if [ "${1:-}" = --merge ]; then
  merge=true
  shift
fi
seconds=${1:-60}
shift 2>/dev/null
targets=${*:-import selection_list export conversion}
failed=""
mkdir -p build/fuzz/artifacts
for target in $targets; do
  program=build/fuzz/bin/fuzz_$target
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus" "fuzz/regressions/$target"
  case $target in
    import | selection_list) max_len=20000 ;;
    *) max_len=4096 ;;
  esac
  printf '== %s, %s s\n' "$target" "$seconds"
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=$max_len \
    -dict=fuzz/edihal.dict -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$target-" \
    "$corpus" "fuzz/corpus/$target" "fuzz/regressions/$target" >"build/fuzz/$target.log" 2>&1
  status=$?
  grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)|stat::number_of_executed_units|stat::peak_rss_mb' \
    "build/fuzz/$target.log"
  if [ $status != 0 ]; then
    tail -60 "build/fuzz/$target.log"
    failed="$failed $target"
  elif $merge; then
    "$program" -merge=1 -max_len=$max_len -rss_limit_mb=2048 "fuzz/corpus/$target" "$corpus" \
      >"build/fuzz/$target-merge.log" 2>&1 || failed="$failed $target"
    grep -E 'MERGE-OUTER: [0-9]+ new files' "build/fuzz/$target-merge.log"
  fi
done
if [ -n "$failed" ]; then
  echo "fuzz targets that failed:$failed (inputs in build/fuzz/artifacts/)"
  exit 1
fi
