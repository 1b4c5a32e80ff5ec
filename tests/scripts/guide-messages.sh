#!/bin/sh
# The user's guide against the module's texts (check-guide-messages.py), and
# proof that the check can fail: a guide without one message, and a guide
# with a message the module does not have, must both be refused.
#   guide-messages.sh SOURCE_DIR
source_dir=$1
# The system's Python when there is one: it starts at once, without the
# shims of a Python version manager.
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
check="$python $(dirname "$0")/check-guide-messages.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

$check "$source_dir" || failures=$((failures + 1))

# copy_tree NAME: the two files the check reads, in a folder of their own.
copy_tree() {
  mkdir -p "$work/$1/src/base" "$work/$1/docs"
  cp "$source_dir/src/base/Texts.h" "$work/$1/src/base/"
  cp "$source_dir/docs/INSTRUKCJA.md" "$work/$1/docs/"
}

# refused NAME WHAT REASON: the check must fail on the tree NAME, saying REASON.
refused() {
  if $check "$work/$1" >"$work/$1.log" 2>&1; then
    echo "FAIL: the check passed a guide $2"
    failures=$((failures + 1))
  elif ! grep -q "^FAIL: .*$3" "$work/$1.log"; then
    echo "FAIL: the check broke on a guide $2:"; sed 's/^/    /' "$work/$1.log"
    failures=$((failures + 1))
  else
    echo "ok: the check refuses a guide $2"
  fi
}

copy_tree missing
grep -v '^| `Brak pliku ' "$source_dir/docs/INSTRUKCJA.md" >"$work/missing/docs/INSTRUKCJA.md"
refused missing "without the missing-invoice message" "kMissingInvoice"

copy_tree invented
sed 's/^| `Nieznany wyj\([^`]*\)` |/| `Nieznany wyj\1 modu\xc5\x82u` |/' \
  "$source_dir/docs/INSTRUKCJA.md" >"$work/invented/docs/INSTRUKCJA.md"
refused invented "with a message the module does not have" "does not say"

copy_tree added
printf 'inline constexpr char kNew[] = "Nowy b\\xB3\\xB9""d";\n' >>"$work/added/src/base/Texts.h"
refused added "that lacks a message new in Texts.h" "kNew"

[ "$failures" = 0 ] || { echo "$failures guide check(s) failed"; exit 1; }
