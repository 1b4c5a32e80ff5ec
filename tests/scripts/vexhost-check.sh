#!/bin/sh
# vexhost on the cases of tests/cases/check and tests/cases/vexhost: each
# folder holds the files and folders the case needs (a check case its
# invoice, faktura.xml), the arguments when they are not "check faktura.xml"
# (command, one a line) and expected.txt: what vexhost prints (UTF-8) and its
# exit status.  The case runs in a copy of its folder, which must be
# unchanged afterwards but for the files of its written/ folder, which the
# command must leave there byte for byte.  A case may hold "environment",
# env(1) arguments one a line, for the locale of a POSIX process (such a
# case runs natively only), and "alone", to run a copy of vexhost with no
# module beside it.
#   vexhost-check.sh VEXHOST SOURCE_DIR [RUNNER]      compare
#   vexhost-check.sh --update VEXHOST SOURCE_DIR      rewrite expected.txt
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi
# Absolute paths: each case runs in a folder of its own.
vexhost=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_dir=$(cd "$2" && pwd)
runner=${3:-}
export LC_ALL=pl_PL.UTF-8
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for case_dir in "$source_dir"/tests/cases/check/*/ "$source_dir"/tests/cases/vexhost/*/; do
  name=$(basename "$(dirname "$case_dir")")/$(basename "$case_dir")
  copy="$work/$name"
  mkdir -p "$copy"
  cp -RL "$case_dir"/. "$copy/"
  rm -rf "$copy/expected.txt" "$copy/written"
  environment=""
  if [ -f "$case_dir/environment" ]; then
    [ -z "$runner" ] || { echo "natively only: $name"; continue; }
    environment=$(cat "$case_dir/environment")
  fi
  program=$vexhost
  if [ -f "$case_dir/alone" ]; then
    program="$copy/$(basename "$vexhost")"
    cp "$vexhost" "$program"
  fi
  # A case may name a sibling's invoice.
  [ -d "$work/check/clean" ] || { mkdir -p "$work/check/clean"; cp "$source_dir/tests/cases/check/clean/faktura.xml" "$work/check/clean/"; }
  set -- check faktura.xml
  if [ -f "$case_dir/command" ]; then
    set --
    while IFS= read -r arg; do set -- "$@" "$arg"; done <"$case_dir/command"
  fi
  # shellcheck disable=SC2086
  ( cd "$copy" && env $environment $runner "$program" "$@" >"$work/raw" 2>&1
    echo "exit: $?" >>"$work/raw" )
  [ "$program" = "$vexhost" ] || rm -f "$program"
  # Windows prints the ANSI code page with CR LF; both become UTF-8 lines.
  if [ -n "$runner" ]; then
    iconv -f CP1250 -t UTF-8 "$work/raw" | tr -d '\r' >"$work/seen"
  else
    cp "$work/raw" "$work/seen"
  fi
  if [ $update = 1 ]; then
    cp "$work/seen" "$case_dir/expected.txt"
    for file in "$case_dir"/written/*; do [ -f "$file" ] && cp "$copy/${file##*/}" "$file"; done
    echo "updated: $name"
    continue
  fi
  if ! cmp -s "$work/seen" "$case_dir/expected.txt"; then
    echo "FAIL: $name"; diff "$case_dir/expected.txt" "$work/seen" | head -20 | sed 's/^/    /'
    failures=$((failures + 1))
    continue
  fi
  differs=""
  for file in "$case_dir"/written/*; do
    [ -f "$file" ] || continue
    cmp -s "$file" "$copy/${file##*/}" || differs="$differs ${file##*/}"
    rm -f "$copy/${file##*/}"
  done
  if [ -n "$differs" ]; then
    echo "FAIL: $name: not as written:$differs"; failures=$((failures + 1))
  elif ! diff -r -x expected.txt -x written "$case_dir" "$copy" >/dev/null; then
    echo "FAIL: $name: vexhost changed or wrote a file in the case folder"; failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
done

[ "$failures" = 0 ] || { echo "$failures check case(s) failed"; exit 1; }
