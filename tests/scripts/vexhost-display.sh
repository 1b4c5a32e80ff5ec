#!/bin/sh
# What vexhost prints is shown in the character set of its output, pipes
# included: UTF-8 with a UTF-8 locale and with none set, ISO-8859-2 with
# such a locale (where the machine has one), Windows-1250 bytes with --raw;
# the file the module writes stays Windows-1250.
#   vexhost-display.sh VEXHOST SOURCE_DIR
vexhost=$1
source_dir=$2
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
invoice="$source_dir/examples/FV_2024_03_0142_cp1250.xml"
expected="$source_dir/examples/expected/FV_2024_03_0142_cp1250.txt"
# "Schab wieprzowy bez kości" in each form (ś differs in all three).
utf8=$(printf 'bez ko\305\233ci')
iso=$(printf 'bez ko\266ci')
cp1250=$(printf 'bez ko\234ci')

# show NAME TEXT ENV...: vexhost $options import, through a pipe, shows TEXT.
options=""
show() {
  name=$1; text=$2; shift 2
  env "$@" "$vexhost" $options import "$work/dokument.txt" "$invoice" >"$work/out" 2>&1
  if ! grep -qF "$text" "$work/out"; then
    echo "FAIL: $name"; head -c 300 "$work/out" | od -c | head -5; failures=$((failures + 1))
  elif ! cmp -s "$work/dokument.txt" "$expected"; then
    echo "FAIL: $name: the document file was changed"; failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

show "no locale set: UTF-8" "$utf8" -u LANG -u LC_ALL -u LC_CTYPE -u LANGUAGE
show "a UTF-8 locale" "$utf8" LC_ALL=pl_PL.UTF-8
options=--raw
show "--raw keeps the bytes" "$cp1250" LC_ALL=pl_PL.UTF-8
options=""
if locale -a 2>/dev/null | grep -qx 'pl_PL.iso88592\|pl_PL'; then
  show "an ISO-8859-2 locale" "$iso" LC_ALL=pl_PL.ISO-8859-2
else
  echo "SKIPPED: no ISO-8859-2 locale on this machine"
fi

[ "$failures" = 0 ] || { echo "$failures display check(s) failed"; exit 1; }
