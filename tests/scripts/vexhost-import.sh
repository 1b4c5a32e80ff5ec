#!/bin/sh
# vexhost imports every shipped example invoice into the document text the
# example expects, byte for byte (a missing invoice is a case:
# tests/cases/vexhost).
#   vexhost-import.sh VEXHOST SOURCE_DIR [RUNNER]   (RUNNER: tools/wine-run.sh)
vexhost=$1
source_dir=$2
runner=$3
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for invoice in "$source_dir"/examples/*.xml; do
  name=$(basename "$invoice" .xml)
  $runner "$vexhost" --quiet import "$work/$name.txt" "$invoice" >"$work/log" 2>&1
  status=$?
  if [ "$status" != 0 ]; then
    echo "FAIL: vexhost import $name exited $status"; sed 's/^/    /' "$work/log"
    failures=$((failures + 1))
  elif ! cmp -s "$work/$name.txt" "$source_dir/examples/expected/$name.txt"; then
    echo "FAIL: vexhost import $name differs from examples/expected/$name.txt"
    diff "$work/$name.txt" "$source_dir/examples/expected/$name.txt" | head -20 | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok: vexhost import $name"
  fi
done

[ "$failures" = 0 ] || { echo "$failures import check(s) failed"; exit 1; }
