#!/bin/sh
# The Windows programs under Wine's heap checks: every case of the case
# runner (the module loaded, failing calls that throw and catch, the module
# freed at the end; then every case in a copy of the module loaded for it
# alone) and the tables (the export pre-step on long lists among them).  A
# block freed twice or written past its end is only a warning from Wine,
# and a corrupt heap may show much later, as a hang; here any such warning
# fails.
#   heap-check.sh CASE_RUNNER UNIT_TESTS RUNNER
case_runner=$1
unit_tests=$2
runner=$3
failures=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

check() {
  name=$1
  shift
  WINEDEBUG=warn+heap,err+heap $runner "$@" >"$log" 2>&1
  status=$?
  if [ "$status" != 0 ]; then
    echo "FAIL: $name exited $status"; tail -20 "$log"; failures=$((failures + 1))
  elif grep -q ':heap:' "$log"; then
    echo "FAIL: $name: Wine found the heap misused"; grep ':heap:' "$log" | head -5
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

# In a virtual machine (EDIHAL_HEAVY_SAMPLE) a sample of the cases, once
# and in a module of their own; the rounds of repetition are left to the
# case runner's own test.
repeat=${EDIHAL_HEAVY_SAMPLE:+--gtest_filter=-HeavyRounds.EveryCaseAgainInOneProcess}
check "every case" "$case_runner" --gtest_brief=1 --sample $repeat
check "tables" "$unit_tests" --gtest_brief=1 --gtest_filter='Tables*'

[ "$failures" = 0 ] || { echo "$failures heap check(s) failed"; exit 1; }
